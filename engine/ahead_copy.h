// Copying a regular source file to the output inside the kernel, on a helper thread, ahead of
// the record loop. The loop checks the records as it reads them and settles how much of the
// copy it keeps; the copier runs at most kMostAhead bytes past that, and what it wrote beyond
// what was kept is cut off again.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace rivex {

class AheadCopy {
  public:
    static constexpr std::uint64_t kMostAhead = 64 << 20;
    // The loop waits while the copier is this far behind it, so that finishing never waits
    // long.
    static constexpr std::uint64_t kMostBehind = 32 << 20;

    // Only a regular output file can be cut back.
    static bool Suits(int outputFd);

    // What the copy is between: source bytes [from, from + size) go to the output's current
    // position. Kept records end in `lineEnd`. The names are for errors.
    struct Ends {
        int sourceFd;
        std::uint64_t from;
        std::uint64_t size;
        std::string sourceName;
        int outputFd;
        std::string outputName;
        std::string_view lineEnd;
    };

    // Called about every few tens of ms while the loop waits for the copier.
    using Waiting = std::function<void()>;

    // Starts the copier with every signal blocked in it. Throws std::system_error when no
    // thread can be started.
    AheadCopy(Ends ends, Waiting waiting);
    // Stops the copier if Finish or Abandon was not called.
    ~AheadCopy();
    AheadCopy(const AheadCopy&) = delete;
    AheadCopy& operator=(const AheadCopy&) = delete;

    // The next `bytes` bytes of the source belong in the output as they are; `whole` when a
    // record ends with them. Throws PlatformError as soon as the copy has failed.
    void Keep(std::uint64_t bytes, bool whole);

    // Leaves the kept bytes in the output, or those of the whole records among them, and the
    // output positioned after them: waits for the copier to get there, or cuts back what it
    // wrote beyond. Returns how many bytes that is. Throws PlatformError for a copy that
    // failed.
    enum class Keeping { All, WholeRecords };
    std::uint64_t Finish(Keeping keeping);

    // For a run that ends by an error: stops the copier, cuts the output back to the whole
    // records it holds, and returns how many bytes of it that leaves.
    std::uint64_t Abandon() noexcept;

  private:
    // The copier's limit, with this bit set once it is to stop there.
    static constexpr std::uint64_t kLast = std::uint64_t{1} << 63;
    // A source that ended before its size: it was changed while it was read.
    static constexpr int kSourceShrank = -1;

    void Stop();
    void AwaitCopier(std::uint64_t upTo);
    void ThrowIfFailed(int error);
    void CopyChunks();
    int CopyChunk(off_t& offset, std::size_t length);  // 0, or the errno of the failure
    int CopyByReading(off_t& offset, std::size_t length);
    std::uint64_t LastRecordEnd(std::uint64_t upTo) const;

    const Ends ends_;
    const Waiting waiting_;
    const off_t outputStart_;
    std::atomic<std::uint64_t> limit_;
    std::atomic<std::uint64_t> progress_ = 0;  // copied_, as the loop may see it
    std::atomic<int> error_ = 0;
    std::atomic<bool> stopped_ = false;  // the copier has returned
    std::uint64_t kept_ = 0;
    std::uint64_t wholeKept_ = 0;
    std::uint64_t copied_ = 0;  // owned by the copier until it is joined
    std::thread copier_;
};

}  // namespace rivex
