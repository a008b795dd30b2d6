// Files in memory; the Nth open, write, flush, close or rename can be made to fail.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "files/file_io.h"

namespace zg::test {

enum class FileStep { open, write, flush, close, rename };

class MemoryFileIo : public FileIo {
  public:
    std::map<std::string, std::vector<unsigned char>> files;

    // Fail the nth (from 1) call of step with error; 0 turns the fault off.
    void failAt(FileStep step, int nth, int error = ENOSPC) {
        failStep_ = step, failNth_ = nth, failError_ = error;
        calls_.clear();
    }
    // Every (step, nth) call of save, run once without a fault: each point where it can fail.
    std::vector<std::pair<FileStep, int>> pointsOf(const std::function<bool()>& save) {
        failAt(FileStep::open, 0);
        EXPECT_TRUE(save());
        std::vector<std::pair<FileStep, int>> points;
        for (const auto& [step, n] : calls_)
            for (int nth = 1; nth <= n; ++nth) points.emplace_back(step, nth);
        EXPECT_GE(points.size(), 5u);
        return points;
    }

    ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out,
                       std::size_t maxBytes = kNoLimit) override {
        auto it = files.find(path);
        if (it == files.end()) return ReadStatus::missing;
        out.assign(it->second.begin(), it->second.begin() + std::min(maxBytes, it->second.size()));
        return ReadStatus::ok;
    }
    bool mayReplace(const std::string&) override { return true; }
    int openTemp(const std::string& targetPath, std::string& tempPath) override {
        if (fails(FileStep::open)) return -1;
        tempPath = targetPath + ".tmp" + std::to_string(next_);
        pending_[next_] = tempPath;
        files[tempPath];
        return next_++;
    }
    bool write(int fd, const unsigned char* data, std::size_t size) override {
        // A full disk takes part of the data before it refuses the rest.
        bool failed = fails(FileStep::write);
        auto& f = files[pending_[fd]];
        f.insert(f.end(), data, data + (failed ? size / 2 : size));
        return !failed;
    }
    bool flush(int) override { return !fails(FileStep::flush); }
    bool close(int fd) override {
        pending_.erase(fd);
        return !fails(FileStep::close);
    }
    bool rename(const std::string& from, const std::string& to) override {
        if (fails(FileStep::rename)) return false;
        auto it = files.find(from);
        if (it == files.end()) return errno = ENOENT, false;
        files[to] = std::move(it->second);
        files.erase(it);
        return true;
    }
    void remove(const std::string& path) override { files.erase(path); }

  private:
    bool fails(FileStep step) {
        if (++calls_[step] != failNth_ || step != failStep_) return false;
        return errno = failError_, true;
    }

    int next_ = 3;
    std::map<int, std::string> pending_;
    std::map<FileStep, int> calls_;
    FileStep failStep_ = FileStep::open;
    int failNth_ = 0;
    int failError_ = ENOSPC;
};

}  // namespace zg::test
