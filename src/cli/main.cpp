// brendax-cli: the generators of the window for scripts and batch use.
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "core/file_writer.h"
#else
#include <fcntl.h>
#include <signal.h>
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

#ifdef _WIN32
// The arguments as UTF-8, from the wide command line: the narrow argv of
// Windows holds them in the ANSI code page, which turns every character
// outside it (and with some code pages umlauts and "€") into "?".
std::vector<std::string> Utf8Arguments() {
  std::vector<std::string> args;
  int count = 0;
  if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) args.push_back(brendax::Utf8FromWide(wide[i]));
    ::LocalFree(wide);
  }
  return args;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  GuardClosedStandardStreams();
#ifndef _WIN32
  // A reader that went away (| head) makes a write fail with EPIPE, which is
  // reported with its reason, instead of ending the program without a word.
  ::signal(SIGPIPE, SIG_IGN);
#endif
  brendax::TuneHeapForLargeOutputs();
#ifdef _WIN32
  // The text carries its own CR LF; no second CR.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  std::vector<std::string> args = Utf8Arguments();
  std::vector<char*> utf8Argv;
  for (std::string& arg : args) utf8Argv.push_back(arg.data());
  if (!utf8Argv.empty()) {
    argc = static_cast<int>(utf8Argv.size());
    utf8Argv.push_back(nullptr);
    argv = utf8Argv.data();
  }
#endif
  // Fully buffered, so that a failed write is seen at the flush with its reason.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  return RunCommandLine(argc, argv);
}
