// The WebAssembly module: the command line as a function (RunCommandLine),
// called with the arguments a batch job's run would give, its standard
// output and standard error caught in files of the in-memory file system.
// web_api.js wraps these calls into the module's generate, output, run and
// schema.
#include <emscripten/bind.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/run_arguments.h"
#include "project/job.h"

namespace {

constexpr const char* kScratch = "/tmp/brendax-run";
constexpr const char* kStdout = "/tmp/brendax-run/stdout";
constexpr const char* kStderr = "/tmp/brendax-run/stderr";

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// Points the descriptor at a fresh file and back again.
class Redirect {
 public:
  Redirect(int fd, const char* path) : fd_(fd), saved_(::dup(fd)) {
    const int file = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(file, fd_);
    ::close(file);
  }
  ~Redirect() {
    ::dup2(saved_, fd_);
    ::close(saved_);
  }
  Redirect(const Redirect&) = delete;
  Redirect& operator=(const Redirect&) = delete;

 private:
  int fd_;
  int saved_;
};

// One run of the command line: exit status, standard output, standard error.
struct RunResult {
  int status = 0;
  std::string out;
  std::string err;
};

RunResult RunArgs(const std::vector<std::string>& args) {
  ::mkdir(kScratch, 0755);
  std::vector<std::string> argv{"brendax-cli"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  RunResult result;
  std::fflush(stdout);
  std::fflush(stderr);
  {
    Redirect out(1, kStdout);
    Redirect err(2, kStderr);
    result.status = RunCommandLine(static_cast<int>(argv.size()), pointers.data());
    std::fflush(stdout);
    std::fflush(stderr);
  }
  result.out = ReadWhole(kStdout);
  result.err = ReadWhole(kStderr);
  ::unlink(kStdout);
  ::unlink(kStderr);
  return result;
}

// The arguments of a generator's run from its options object, as a batch
// job makes them; "mnemonics" is one of them. A malformed object gives
// status 2 and the reason.
bool ArgumentsOf(const std::string& subcommand, const std::string& optionsJson, std::vector<std::string>& args,
                 RunResult& failure) {
  brendax::JobRun run;
  run.generator = subcommand;
  try {
    run.options = brendax::ReadRunOptions(optionsJson.empty() ? std::string("{}") : optionsJson);
  } catch (const brendax::JobFailure& e) {
    failure.status = e.status;
    failure.err = e.message + "\n";
    return false;
  }
  args = brendax::cli::RunArguments(run, {});
  return true;
}

// Runs the subcommand with its options and `extra` arguments, with `file`
// as the output file that -o or --symbols names; its bytes come back as
// standard output.
RunResult RunToFile(const std::string& subcommand, const std::string& optionsJson,
                    const std::vector<std::string>& extra, const std::string& file) {
  std::vector<std::string> args;
  RunResult result;
  if (!ArgumentsOf(subcommand, optionsJson, args, result)) return result;
  // Right after the subcommand: db-image's file comes last, after "--".
  args.insert(args.begin() + 1, extra.begin(), extra.end());
  ::mkdir(kScratch, 0755);
  ::unlink(file.c_str());
  result = RunArgs(args);
  result.out = ReadWhole(file);
  ::unlink(file.c_str());
  return result;
}

emscripten::val ToJs(const RunResult& result) {
  emscripten::val object = emscripten::val::object();
  object.set("status", result.status);
  object.set("stdout",
             emscripten::val(emscripten::typed_memory_view(result.out.size(),
                                                           reinterpret_cast<const unsigned char*>(result.out.data())))
                 .call<emscripten::val>("slice"));
  object.set("stderr", result.err);
  return object;
}

emscripten::val Generate(const std::string& subcommand, const std::string& optionsJson) {
  const std::string file = std::string(kScratch) + "/result.json";
  return ToJs(RunToFile(subcommand, optionsJson, {"--json", "-o", file}, file));
}

// kind "awl": the source as -o writes it; "tsv", "asc", "sdf", "seq": the
// symbol rows as --symbols writes them in that format.
emscripten::val Output(const std::string& subcommand, const std::string& optionsJson, const std::string& kind) {
  const std::string file = std::string(kScratch) + "/output." + kind;
  if (kind == "awl") return ToJs(RunToFile(subcommand, optionsJson, {"-o", file}, file));
  const std::string sink = std::string(kScratch) + "/discarded.json";
  RunResult result =
      RunToFile(subcommand, optionsJson, {"--json", "-o", sink, "--symbols", file, "--symbols-format", kind}, file);
  ::unlink(sink.c_str());
  return ToJs(result);
}

emscripten::val Run(const std::vector<std::string>& args) { return ToJs(RunArgs(args)); }

}  // namespace

EMSCRIPTEN_BINDINGS(brendax_core) {
  emscripten::register_vector<std::string>("StringList");
  emscripten::function("rawGenerate", &Generate);
  emscripten::function("rawOutput", &Output);
  emscripten::function("rawRun", &Run);
}
