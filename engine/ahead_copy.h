// Copying a regular source file to the output inside the kernel, on a helper thread, ahead of
// the record loop. The loop checks the records as it reads them and settles how much of the
// copy it keeps; the copier runs at most kMostAhead bytes past that, and what it wrote beyond
// what was kept is cut off again.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace rivex {

class AheadCopy {
  public:
    static constexpr std::uint64_t kMostAhead = 64 << 20;

    // Only a regular output file can be cut back.
    static bool Suits(int outputFd);

    // Starts copying source bytes [0, size) to the output's current position; `outputName`
    // names the output in errors. Throws std::system_error when no thread can be started.
    AheadCopy(int sourceFd, std::uint64_t size, int outputFd, std::string outputName);
    // Stops the copier if Finish was not called, and cuts the output back to what was kept.
    ~AheadCopy();
    AheadCopy(const AheadCopy&) = delete;
    AheadCopy& operator=(const AheadCopy&) = delete;

    // The next `bytes` bytes of the source belong in the output as they are. Throws
    // PlatformError as soon as the copy has failed.
    void Keep(std::uint64_t bytes);

    // Leaves the kept bytes in the output, and the output positioned after them: waits for
    // the copier to get there, or cuts back what it wrote beyond. Throws PlatformError for a
    // copy that failed.
    void Finish();

  private:
    // The copier's limit, with this bit set once it is to stop there.
    static constexpr std::uint64_t kLast = std::uint64_t{1} << 63;

    void Stop();
    void CopyChunks();
    int CopyChunk(off_t& offset, std::size_t length);  // 0, or the errno of the failure
    int CopyByReading(off_t& offset, std::size_t length);

    const int sourceFd_;
    const int outputFd_;
    const std::string outputName_;
    const off_t outputStart_;
    const std::uint64_t size_;
    std::atomic<std::uint64_t> limit_;
    std::atomic<int> error_ = 0;
    std::uint64_t kept_ = 0;
    std::uint64_t copied_ = 0;  // owned by the copier until it is joined
    std::thread copier_;
};

}  // namespace rivex
