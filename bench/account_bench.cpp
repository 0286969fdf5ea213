// The account store on a statement of 100,000 trades (a PC client's GB18030
// export, orders in several rows): importing it into a new store (reading
// the file, its SHA-256, the rows written in one transaction) and auditing
// the account from the store (the rows loaded and merged, the audit, the
// balances followed). Wall and CPU time, each a median of RUNS.
//   account_bench [ROWS] [RUNS]      default 109,000 rows (about 100,000 trades), 5 runs
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "accountstore.h"
#include "audit.h"
#include "balances.h"
#include "statementgen.h"

namespace {

using namespace tallyfin;

constexpr std::uint32_t kSeed = 20210311;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Timing {
    std::vector<double> wall, cpu; // ms
};

void timeOnce(Timing &timing, const std::function<void()> &work)
{
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    timing.wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    timing.cpu.push_back((cpuSeconds() - cpuStart) * 1000);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char *what, const Timing &timing, double targetMs)
{
    const double worst = *std::max_element(timing.wall.begin(), timing.wall.end());
    std::printf("%-34s wall median %7.0f ms, worst %7.0f ms; CPU median %7.0f ms; target at most %.0f ms: %s\n", what,
                median(timing.wall), worst, median(timing.cpu), targetMs, median(timing.wall) <= targetMs ? "met" : "NOT met");
}

std::filesystem::path writeStatement(const std::filesystem::path &folder, std::size_t rows)
{
    samples::RowMix mix;
    mix.splitOrders = true;
    const std::string text = samples::TextStatement(
        samples::LayoutCells(samples::SampleLayouts().front(), samples::SampleRows(rows, kSeed, mix)), '\t',
        statement::TextEncoding::Gb18030);
    const std::filesystem::path path = folder / "交割单.tsv";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::size_t rows = argc > 1 ? std::stoul(argv[1]) : 109000;
    const int runs = argc > 2 ? std::stoi(argv[2]) : 5;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("account_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = writeStatement(folder, rows);
    const std::filesystem::path store = folder / "accounts.sqlite";

    Timing importing, auditing, reading, writing, loading, checking;
    int trades = 0;
    std::size_t findings = 0;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove(store);
        timeOnce(importing, [&] {
            statement::Statement read;
            timeOnce(reading, [&] { read = statement::ReadStatementFile(file); });
            trades = read.tradeCount();
            timeOnce(writing, [&] {
                store::AccountStore(store).import(file.filename().string(), store::FingerprintOf(file), read, std::nullopt);
            });
        });
        timeOnce(auditing, [&] {
            statement::MergedStatement merged;
            timeOnce(loading, [&] {
                store::AccountStore kept(store);
                merged = kept.merged(kept.account(std::nullopt).id);
            });
            timeOnce(checking, [&] {
                findings = statement::AuditStatement(merged.statement)->findings.size();
                statement::CheckBalances(merged.statement);
            });
        });
    }
    std::printf("%zu rows, %d trades, %.1f MiB statement, %.1f MiB store, %zu findings, %d runs\n", rows, trades,
                static_cast<double>(std::filesystem::file_size(file)) / (1 << 20),
                static_cast<double>(std::filesystem::file_size(store)) / (1 << 20), findings, runs);
    report("import into a new store", importing, 2000);
    report("audit the account from the store", auditing, 1000);
    std::printf("  of which: reading the file %.0f ms, writing the store %.0f ms (CPU %.0f, %.0f); loading and merging "
                "the rows %.0f ms, the audit and the balances %.0f ms (CPU %.0f, %.0f)\n",
                median(reading.wall), median(writing.wall), median(reading.cpu), median(writing.cpu), median(loading.wall),
                median(checking.wall), median(loading.cpu), median(checking.cpu));
    std::filesystem::remove_all(folder);
    return 0;
}
