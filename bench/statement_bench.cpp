// The statement reader on a PC client's export of 100,000 trades (GB18030,
// tab-separated): the time to read it and the reader's peak memory, measured
// in a process that does nothing else.
//   statement_bench                      write a sample to a scratch file, read it in a child
//   statement_bench write FILE [ROWS] [--overcharged]
//                                        write a sample statement (default 100,000 rows); with
//                                        --overcharged, orders in several rows and some fees
//                                        charged beyond the rules, for the audit
//   statement_bench read FILE [RUNS]     read FILE RUNS times (default 5); time, rows, peak RSS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "messages.h"
#include "statement.h"
#include "statementgen.h"

namespace {

using namespace tallyfin;

constexpr std::size_t kDefaultRows = 100000;
constexpr std::uint32_t kSeed = 20210311;

int writeSample(const char *path, std::size_t rows, bool overcharged = false)
{
    const samples::Layout &layout = samples::SampleLayouts().front();
    samples::RowMix mix;
    if (overcharged) {
        mix.splitOrders = true;
        mix.overchargePercent = 2;
        mix.overchargeItems = {statement::FeePart::Commission, statement::FeePart::StampDuty, statement::FeePart::Total};
    }
    const std::string text = samples::TextStatement(samples::LayoutCells(layout, samples::SampleRows(rows, kSeed, mix)),
                                                    '\t', statement::TextEncoding::Gb18030);
    std::ofstream(path, std::ios::binary) << text;
    std::printf("wrote %zu rows, %.1f MiB of GB18030 TSV to %s\n", rows, static_cast<double>(text.size()) / (1 << 20), path);
    return 0;
}

// A figure of /proc/self/status in MiB: VmRSS, the memory held now, or
// VmHWM, the most held so far. Unlike getrusage's maximum, VmHWM starts
// afresh at exec, so the writer's memory does not count for the reader.
double statusMiB(std::string_view key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(key))
            return std::strtod(line.c_str() + key.size(), nullptr) / 1024;
    return 0;
}

int readSample(const char *path, int runs)
{
    const double startMiB = statusMiB("VmRSS:");
    double firstPeakMiB = 0;
    std::vector<double> times;
    statement::Statement read;
    for (int run = 0; run < runs; ++run) {
        read = {}; // one statement at a time
        const auto start = std::chrono::steady_clock::now();
        read = statement::ReadStatementFile(path);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        // Later runs reuse what malloc kept from earlier ones: the first run's peak is the reader's.
        firstPeakMiB = run == 0 ? statusMiB("VmHWM:") : firstPeakMiB;
        if (read.failure) {
            std::printf("%s\n", statement::EnglishText(*read.failure).c_str());
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    const double fileMiB = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    std::printf("read %d trades, %d other, %zu unreadable from %.1f MiB\n", read.tradeCount(), read.otherCount(),
                read.unreadable.size(), fileMiB);
    std::printf("time: best %.0f ms, median %.0f ms of %d runs (target: under 400 ms)\n", times.front(),
                times[times.size() / 2], runs);
    std::printf("peak RSS: %.1f MiB, of which %.1f MiB above the process before reading: %.1f x the file "
                "(target: about 3 x)\n",
                firstPeakMiB, firstPeakMiB - startMiB, (firstPeakMiB - startMiB) / fileMiB);
    return 0;
}

// Writes the sample, then reads it in a child, so that the peak memory is the reader's.
int writeAndRead(const char *self)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tallyfin-statement-bench.xls";
    writeSample(path.c_str(), kDefaultRows);
    std::fflush(stdout); // before the child writes its own lines
    const pid_t child = fork();
    if (child == 0) {
        execl(self, self, "read", path.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::filesystem::remove(path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && argc > 2) {
        const bool overcharged = std::string_view(argv[argc - 1]) == "--overcharged";
        const int counted = argc - overcharged;
        return writeSample(argv[2], counted > 3 ? std::strtoul(argv[3], nullptr, 10) : kDefaultRows, overcharged);
    }
    if (mode == "read" && argc > 2)
        return readSample(argv[2], argc > 3 ? std::atoi(argv[3]) : 5);
    if (argc == 1)
        return writeAndRead(argv[0]);
    std::fprintf(stderr, "usage: statement_bench [write FILE [ROWS] [--overcharged] | read FILE [RUNS]]\n");
    return 2;
}
