#include "support/bench_files.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quilmark::bench {

double CpuSeconds() {
  timespec self{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &self);
  rusage children{};
  getrusage(RUSAGE_CHILDREN, &children);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
  return double(self.tv_sec) + self.tv_nsec / 1e9 + seconds(children.ru_utime) +
         seconds(children.ru_stime);
}

std::string CliPath() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return {};
  std::string path(self, static_cast<std::size_t>(n));
  path.resize(path.rfind('/'));
  path += "/../src/cli/quilmark-cli";
  return access(path.c_str(), X_OK) == 0 ? path : std::string();
}

bool RunProgram(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int SilentPresenter::Show(const std::string& text, const std::string&, unsigned) {
  ++shown;
  std::fprintf(stderr, "message: %s\n", text.c_str());
  return 1;  // the first button: OK or Yes
}

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quilmark-bench-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern + "/";
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

static std::string Frame(const std::string& id, const std::string& text) {
  std::string f = id;
  std::uint32_t size = static_cast<std::uint32_t>(text.size() + 1);
  for (int i = 3; i >= 0; --i) f.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
  f += std::string(2, '\0');
  f.push_back('\0');
  f += text;
  return f;
}

std::vector<std::string> MakeTaggedFiles(const std::string& folder, int count,
                                         std::size_t audioBytes) {
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(count));
  std::string audio(audioBytes, '\0');
  for (std::size_t i = 0; i < audio.size(); i += 417) {
    audio[i] = static_cast<char>(0xFF);
    if (i + 1 < audio.size()) audio[i + 1] = static_cast<char>(0xFB);
  }
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.mp3", i);
    // "\x83\x65\x83\x58\x83\x67" is テスト in Shift-JIS.
    std::string body = Frame("TIT2", "Title \x83\x65\x83\x58\x83\x67 " + std::to_string(i)) +
                       Frame("TPE1", "Artist " + std::to_string(i % 97)) +
                       Frame("TALB", "Album " + std::to_string(i % 13)) + std::string(64, '\0');
    std::string tag = "ID3";
    tag += std::string("\x03\x00\x00", 3);
    std::uint32_t n = static_cast<std::uint32_t>(body.size());
    tag.push_back(static_cast<char>((n >> 21) & 0x7F));
    tag.push_back(static_cast<char>((n >> 14) & 0x7F));
    tag.push_back(static_cast<char>((n >> 7) & 0x7F));
    tag.push_back(static_cast<char>(n & 0x7F));
    std::string path = folder + name;
    std::ofstream out(path, std::ios::binary);
    out << tag << body << audio;
    paths.push_back(path);
  }
  return paths;
}

}  // namespace quilmark::bench
