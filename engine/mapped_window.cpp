#include "engine/mapped_window.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "engine/byte_scan.h"

namespace rivex {
namespace {

// The windows mapped at a time, in every thread together; past them files are read instead.
constexpr int kSlots = 16;

struct Slot {
    std::atomic<std::uintptr_t> start{0};  // 0 while the slot is free
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> lost{false};
};

Slot slots[kSlots];
std::uintptr_t pageSize = 0;

// Only system calls here: mmap and sigaction are plain system calls on Linux. A SIGBUS at no
// window of ours gets the default action once this returns and the touch is tried again.
void OnBusError(int, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : slots) {
        if (address >= slot.start.load() && address < slot.end.load()) {
            void* page = reinterpret_cast<void*>(address & ~(pageSize - 1));
            ::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            slot.lost.store(true);
            return;
        }
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    ::sigaction(SIGBUS, &action, nullptr);
}

void WatchBusErrors() {
    static std::once_flag once;
    std::call_once(once, [] {
        pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, nullptr);
    });
}

int TakeSlot(std::uintptr_t start, std::uintptr_t end) {
    for (int i = 0; i < kSlots; ++i) {
        std::uintptr_t free = 0;
        if (slots[i].start.compare_exchange_strong(free, start)) {
            slots[i].lost.store(false);
            slots[i].end.store(end);
            return i;
        }
    }
    return -1;
}

}  // namespace

std::string_view MappedWindow::Map(int fd, std::uint64_t offset, std::size_t length) {
    Unmap();
    WatchBusErrors();
    const std::uint64_t skip = offset % pageSize;
    const std::size_t fileBytes = (skip + length + pageSize - 1) / pageSize * pageSize;
    const std::size_t size = fileBytes + (kScanSlack + pageSize - 1) / pageSize * pageSize;
    void* region = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) return {};
    region_ = static_cast<char*>(region);
    regionSize_ = size;
    const auto start = reinterpret_cast<std::uintptr_t>(region_);
    slot_ = TakeSlot(start, start + fileBytes);
    if (slot_ < 0 || ::mmap(region_, fileBytes, PROT_READ, MAP_SHARED | MAP_FIXED | MAP_POPULATE,
                            fd, static_cast<off_t>(offset - skip)) == MAP_FAILED) {
        Unmap();
        return {};
    }
    return {region_ + skip, length};
}

void MappedWindow::Unmap() {
    if (region_ == nullptr) return;
    if (slot_ >= 0) {
        slots[slot_].end.store(0);
        slots[slot_].start.store(0);
    }
    slot_ = -1;
    ::munmap(region_, regionSize_);
    region_ = nullptr;
}

bool MappedWindow::Lost() const {
    return slot_ >= 0 && slots[slot_].lost.load();
}

}  // namespace rivex
