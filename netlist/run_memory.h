// The memory of one comparison run. Everything the run holds for its netlists (the tables of
// parts and pins, their names, the net texts, the reader's text, the work arrays of indexing and
// of the pin comparison) is taken from the run's RunMemory, sized by what the netlists hold, and
// given back whole when the run ends: a desktop program that runs for days keeps nothing of a
// run. When the system has no memory left, a request throws OutOfRunMemory, which ends the run
// with its message; nothing is ever written past what was taken.
//
// Small things are cut one after the other from chunks, which grow with the run (a small
// netlist takes a few kilobytes, a board of a million pins a few hundred megabytes). A table
// that grows as a reader fills it has a block of its own, which grows in place where the system
// allows. Work arrays that live through one step only come from chunks of their own: the step
// takes a mark and gives them back with release(), so that the next step reuses their pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <new>

namespace veltrax {

struct OutOfRunMemory : std::bad_alloc {
  const char* what() const noexcept override { return "out of memory for the run"; }
};

class RunMemory {
 public:
  RunMemory() = default;
  ~RunMemory();
  RunMemory(const RunMemory&) = delete;
  RunMemory& operator=(const RunMemory&) = delete;

  // size bytes aligned to align (a power of two, at most that of max_align_t), kept to the end
  // of the run.
  void* allocate(std::size_t size, std::size_t align = alignof(std::max_align_t)) {
    return lasting_.allocate(*this, size, align);
  }
  // A copy of the n bytes at text, with a terminating zero.
  char* copy_text(const char* text, std::size_t n) {
    if (n == SIZE_MAX) throw OutOfRunMemory();
    char* copy = static_cast<char*>(allocate(n + 1, 1));
    std::memcpy(copy, text, n);
    copy[n] = '\0';
    return copy;
  }

  // Work arrays of n elements (left uninitialised), kept until release() of an earlier mark.
  template <typename T>
  T* work_array(std::size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw OutOfRunMemory();
    return static_cast<T*>(work_.allocate(*this, n * sizeof(T), alignof(T)));
  }
  struct Mark {
    std::size_t chunk;
    std::size_t used;
  };
  Mark mark() const { return work_.mark(); }
  void release(Mark m) { work_.release(m); }

  // A block of its own for a growing table: resizes block (nullptr for a new one) to new_size
  // bytes, keeping its contents; the block may move.
  void* resize(void* block, std::size_t new_size);
  // Gives an own block back before the run ends (nullptr is ignored).
  void give_back(void* block);

  // The bytes the run holds from the system, and those all runs alive hold (none between runs).
  std::size_t held() const { return held_; }
  static std::size_t held_by_all() { return held_by_all_; }

  // The standard containers of a run allocate through these, for the run or as work arrays;
  // what they free comes back at the end of the run, or at release().
  std::pmr::memory_resource* resource() { return &resource_; }
  std::pmr::memory_resource* work_resource() { return &work_resource_; }

  // A seam for the tests: from the count-th request on (0 the next), every request of any
  // RunMemory fails as if the system had no memory left; a negative count ends the failing.
  static void fail_after(long count);

 private:
  struct Chunk {
    char* bytes;
    std::size_t size;
    std::size_t used;
  };
  // Chunks filled one after the other; those after the current one are empty.
  class Chunks {
   public:
    void* allocate(RunMemory& owner, std::size_t size, std::size_t align) {
      if (fail_countdown_ < 0 && current_ < count_) {
        Chunk& c = items_[current_];
        const std::size_t start = (c.used + align - 1) & ~(align - 1);
        if (start <= c.size && size <= c.size - start) {
          c.used = start + size;
          return c.bytes + start;
        }
      }
      return allocate_further(owner, size, align);
    }
    Mark mark() const { return {current_, count_ == 0 ? 0 : items_[current_].used}; }
    void release(Mark m);
    void give_back();

   private:
    void* allocate_further(RunMemory& owner, std::size_t size, std::size_t align);
    void* fresh(RunMemory& owner, std::size_t size, std::size_t align);
    Chunk* items_ = nullptr;  // a block from the system that grows by doubling
    std::size_t count_ = 0;
    std::size_t room_ = 0;
    std::size_t current_ = 0;
  };
  struct OwnBlock;

  class Resource : public std::pmr::memory_resource {
   public:
    Resource(RunMemory& owner, Chunks& chunks) : owner_(owner), chunks_(chunks) {}

   private:
    void* do_allocate(std::size_t bytes, std::size_t align) override {
      return chunks_.allocate(owner_, bytes, align);
    }
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const memory_resource& other) const noexcept override {
      return this == &other;
    }
    RunMemory& owner_;
    Chunks& chunks_;
  };

  void* system_block(std::size_t size);
  static void count_request();
  void note_held(std::size_t taken, std::size_t given_back);

  static inline long fail_countdown_ = -1;  // the tests' seam: requests until failing, or -1
  static inline std::size_t held_by_all_ = 0;

  Chunks lasting_;
  Chunks work_;
  OwnBlock* own_ = nullptr;  // the own blocks, in a doubly linked list
  std::size_t held_ = 0;
  Resource resource_{*this, lasting_};
  Resource work_resource_{*this, work_};
};

}  // namespace veltrax
