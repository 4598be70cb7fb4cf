#include "framework/platform/StackWalk.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unwind.h>

#include <cstdlib>
#include <cstring>

namespace Plix {

namespace {

constexpr size_t kMaxFrames = 256;

struct UnwindState {
  std::vector<StackFrame>* frames;
  bool skippedSelf = false;
};

_Unwind_Reason_Code UnwindStep(_Unwind_Context* context, void* arg) {
  auto* state = static_cast<UnwindState*>(arg);
  if (!state->skippedSelf) {  // the first frame is CaptureStack itself
    state->skippedSelf = true;
    return _URC_NO_REASON;
  }
  int beforeInstruction = 0;
  StackFrame frame;
  frame.pc = _Unwind_GetIPInfo(context, &beforeInstruction);
  frame.frame = _Unwind_GetCFA(context);
  // A frame interrupted by a signal reports the faulting instruction itself.
  frame.returnAddress = beforeInstruction == 0;
  if (frame.pc == 0) return _URC_END_OF_STACK;
  state->frames->push_back(frame);
  return state->frames->size() >= kMaxFrames ? _URC_END_OF_STACK : _URC_NO_REASON;
}

// The module (shared object or the program) that maps an address.
struct ModuleHit {
  uintptr_t address = 0;
  uintptr_t bias = 0;
  std::string path;
  bool found = false;
};

int FindModule(dl_phdr_info* info, size_t, void* arg) {
  auto* hit = static_cast<ModuleHit*>(arg);
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_LOAD) continue;
    uintptr_t start = info->dlpi_addr + ph.p_vaddr;
    if (hit->address >= start && hit->address < start + ph.p_memsz) {
      hit->bias = info->dlpi_addr;
      hit->path = info->dlpi_name != nullptr ? info->dlpi_name : "";
      hit->found = true;
      return 1;
    }
  }
  return 0;
}

bool FindModuleOf(uintptr_t address, ModuleHit& hit) {
  hit.address = address;
  dl_iterate_phdr(FindModule, &hit);
  if (!hit.found) return false;
  if (hit.path.empty()) {  // the program itself
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return false;
    hit.path.assign(path, static_cast<size_t>(n));
  }
  return true;
}

// A module's file mapped for reading its section and symbol tables.
class MappedElf {
public:
  explicit MappedElf(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (fstat(fd, &st) == 0 && st.st_size > static_cast<off_t>(sizeof(ElfW(Ehdr)))) {
      void* p = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
      if (p != MAP_FAILED) {
        mData = static_cast<const uint8_t*>(p);
        mSize = static_cast<size_t>(st.st_size);
      }
    }
    close(fd);
    if (mData == nullptr) return;
    const auto* eh = reinterpret_cast<const ElfW(Ehdr)*>(mData);
#if defined(__LP64__)
    const int nativeClass = ELFCLASS64;
#else
    const int nativeClass = ELFCLASS32;
#endif
    if (std::memcmp(eh->e_ident, ELFMAG, SELFMAG) != 0 || eh->e_ident[EI_CLASS] != nativeClass ||
        eh->e_shentsize != sizeof(ElfW(Shdr)) || eh->e_shoff == 0 || eh->e_shoff > mSize ||
        eh->e_shnum > (mSize - eh->e_shoff) / sizeof(ElfW(Shdr))) {
      return;
    }
    mSections = reinterpret_cast<const ElfW(Shdr)*>(mData + eh->e_shoff);
    mSectionCount = eh->e_shnum;
  }
  ~MappedElf() {
    if (mData != nullptr) munmap(const_cast<uint8_t*>(mData), mSize);
  }
  MappedElf(const MappedElf&) = delete;
  MappedElf& operator=(const MappedElf&) = delete;

  int SectionCount() const { return mSectionCount; }
  const ElfW(Shdr) & Section(int i) const { return mSections[i]; }

  // The sized function symbol that covers a file address, searched in the
  // full symbol table and then the dynamic one.
  bool FindSymbol(uintptr_t fileAddress, std::string& name, uintptr_t& start) const {
    for (uint32_t type : {SHT_SYMTAB, SHT_DYNSYM}) {
      for (int i = 0; i < mSectionCount; ++i) {
        if (mSections[i].sh_type == type && SearchTable(mSections[i], fileAddress, name, start)) return true;
      }
    }
    return false;
  }

private:
  bool Inside(uint64_t offset, uint64_t size) const { return offset <= mSize && size <= mSize - offset; }

  bool SearchTable(const ElfW(Shdr) & table, uintptr_t fileAddress, std::string& name, uintptr_t& start) const {
    if (table.sh_entsize != sizeof(ElfW(Sym)) || !Inside(table.sh_offset, table.sh_size) ||
        table.sh_link >= static_cast<uint32_t>(mSectionCount)) {
      return false;
    }
    const ElfW(Shdr)& strings = mSections[table.sh_link];
    if (!Inside(strings.sh_offset, strings.sh_size)) return false;
    const auto* symbols = reinterpret_cast<const ElfW(Sym)*>(mData + table.sh_offset);
    size_t count = table.sh_size / sizeof(ElfW(Sym));
    for (size_t i = 0; i < count; ++i) {
      const ElfW(Sym)& s = symbols[i];
      int type = ELF64_ST_TYPE(s.st_info);
      if ((type != STT_FUNC && type != STT_GNU_IFUNC) || s.st_shndx == SHN_UNDEF || s.st_size == 0) continue;
      if (fileAddress < s.st_value || fileAddress - s.st_value >= s.st_size) continue;
      if (s.st_name >= strings.sh_size) continue;
      const char* text = reinterpret_cast<const char*>(mData + strings.sh_offset + s.st_name);
      name.assign(text, strnlen(text, strings.sh_size - s.st_name));
      start = s.st_value;
      return true;
    }
    return false;
  }

  const uint8_t* mData = nullptr;
  size_t mSize = 0;
  const ElfW(Shdr) * mSections = nullptr;
  int mSectionCount = 0;
};

}  // namespace

std::vector<StackFrame> CaptureStack(int& walkError) {
  std::vector<StackFrame> frames;
  frames.reserve(64);
  UnwindState state{&frames};
  _Unwind_Reason_Code reason = _Unwind_Backtrace(UnwindStep, &state);
  walkError = reason == _URC_END_OF_STACK || reason == _URC_NO_REASON ? 0 : static_cast<int>(reason);
  return frames;
}

std::vector<StackFrame> WalkFramePointers(uintptr_t pc, uintptr_t fp, uintptr_t stackLow, uintptr_t stackHigh) {
  std::vector<StackFrame> frames;
  constexpr uintptr_t kWord = sizeof(uintptr_t);
  for (;;) {
    frames.push_back(StackFrame{pc, fp, frames.size() > 0});
    // A frame holds the caller's frame pointer and then the return address.
    if (fp < stackLow || fp % kWord != 0 || fp > stackHigh - 2 * kWord || frames.size() >= kMaxFrames) break;
    const auto* words = reinterpret_cast<const uintptr_t*>(fp);
    uintptr_t nextFp = words[0];
    uintptr_t nextPc = words[1];
    if (nextFp % kWord != 0 || nextFp <= fp || nextFp > stackHigh - 2 * kWord) break;
    pc = nextPc;
    fp = nextFp;
  }
  return frames;
}

bool GetThreadStackBounds(uintptr_t& low, uintptr_t& high) {
  pthread_attr_t attr;
  if (pthread_getattr_np(pthread_self(), &attr) != 0) return false;
  void* base = nullptr;
  size_t size = 0;
  bool ok = pthread_attr_getstack(&attr, &base, &size) == 0;
  pthread_attr_destroy(&attr);
  if (!ok) return false;
  low = reinterpret_cast<uintptr_t>(base);
  high = low + size;
  return true;
}

bool GetLogicalAddress(uintptr_t address, std::string& modulePath, int& section, uintptr_t& offset) {
  ModuleHit hit;
  if (!FindModuleOf(address, hit)) return false;
  MappedElf elf(hit.path);
  uintptr_t fileAddress = address - hit.bias;
  for (int i = 1; i < elf.SectionCount(); ++i) {
    const ElfW(Shdr)& s = elf.Section(i);
    if (!(s.sh_flags & SHF_ALLOC) || s.sh_size == 0) continue;
    if (fileAddress >= s.sh_addr && fileAddress - s.sh_addr < s.sh_size) {
      modulePath = hit.path;
      section = i;
      offset = fileAddress - s.sh_addr;
      return true;
    }
  }
  return false;
}

bool LookupSymbol(uintptr_t address, std::string& name, uintptr_t& symbolStart) {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(address), &info) != 0 && info.dli_sname != nullptr && info.dli_saddr != nullptr) {
    name = Demangle(info.dli_sname);
    symbolStart = reinterpret_cast<uintptr_t>(info.dli_saddr);
    return true;
  }
  // Functions the module does not export are only in its own symbol table.
  ModuleHit hit;
  if (!FindModuleOf(address, hit)) return false;
  MappedElf elf(hit.path);
  std::string raw;
  uintptr_t start = 0;
  if (!elf.FindSymbol(address - hit.bias, raw, start)) return false;
  name = Demangle(raw.c_str());
  symbolStart = start + hit.bias;
  return true;
}

std::string Demangle(const char* name) {
  int status = 0;
  char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
  if (status != 0 || readable == nullptr) return name;
  std::string out = readable;
  std::free(readable);
  return out;
}

}  // namespace Plix
