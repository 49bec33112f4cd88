// brendax-cli: the generators of the window for scripts and batch use.
#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "cli/run.h"
#include "core/heap_tuning.h"

namespace {

// A standard stream that the caller closed is given an end that fails every
// write (and yields nothing to read), so that the number is never handed to
// a file this program opens and a write to it is reported.
void GuardClosedStandardStreams() {
#ifndef _WIN32
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      const int placeholder = ::open("/dev/null", O_RDONLY);
      if (placeholder >= 0 && placeholder != fd) {
        ::dup2(placeholder, fd);
        ::close(placeholder);
      }
    }
  }
#endif
}

}  // namespace

int main(int argc, char** argv) {
  GuardClosedStandardStreams();
  brendax::TuneHeapForLargeOutputs();
#ifdef _WIN32
  // The text carries its own CR LF; no second CR.
  ::_setmode(::_fileno(stdout), _O_BINARY);
#endif
  // Fully buffered, so that a failed write is seen at the flush with its reason.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  return RunCommandLine(argc, argv);
}
