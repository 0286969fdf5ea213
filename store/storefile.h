#pragma once

#include <filesystem>
#include <memory>
#include <utility>

#include "accountstore.h"
#include "sqlite.h"

// Opening the store's file: made where there is none, refused where it is
// not ours, brought up to the schema this program knows.
namespace tallyfin::store {

// Throws StoreFailure.
std::unique_ptr<Connection> OpenStoreFile(const std::filesystem::path &path);

// What an error of SQLite means for the store at `path`.
StoreError ErrorOf(const SqliteError &error, const std::filesystem::path &path);

// Runs `work`, turning SQLite's errors into StoreFailure.
template <typename Work>
auto Guarded(const std::filesystem::path &path, Work &&work)
{
    try {
        return std::forward<Work>(work)();
    } catch (const SqliteError &error) {
        throw StoreFailure(ErrorOf(error, path));
    }
}

} // namespace tallyfin::store
