#include "support/Kelvokonv.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kelvo::testing {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings)
    pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// This process's environment with the given variables set.
std::vector<std::string> Environment(const std::vector<std::string>& overrides) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry(*e);
    const std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const std::string& o : overrides)
      replaced = replaced || o.compare(0, name.size(), name) == 0;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), overrides.begin(), overrides.end());
  return env;
}

// Writes the text into the pipe and closes it; a program that stops reading
// only ends the writing (SIGPIPE is blocked in this thread).
void FeedPipe(int fd, std::string text) {
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(fd);
}

} // namespace

TKelvokonvResult RunKelvokonv(const TKelvokonvRun& run) {
  TempDir capture;
  const std::string out = capture.File("stdout"), err = capture.File("stderr");
  const std::string rss = capture.File("rss");
  std::vector<std::string> argv{run.Program};
  argv.insert(argv.end(), run.Args.begin(), run.Args.end());
  // A child of this process would report this process's peak as its own
  // when that is higher: time forks the program from a small process.
  if (run.MeasureMemory) argv.insert(argv.begin(), {"/usr/bin/time", "-q", "-f", "%M", "-o", rss});
  std::vector<std::string> env = Environment(run.Env);
  int input[2];
  if (pipe2(input, O_CLOEXEC) != 0) return {};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!run.WorkDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, run.WorkDir.c_str());
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(env).data());
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  if (spawned != 0) {
    close(input[1]);
    return {};
  }
  std::thread feeder(FeedPipe, input[1], run.Stdin);

  int status = 0;
  bool ended = false;
  if (run.Signal != 0) {
    // Once the condition holds, unless the program ends first (10 s at most).
    for (int i = 0; i < 2000 && !ended && !run.SignalWhen(); ++i) {
      ended = waitpid(pid, &status, WNOHANG) == pid;
      if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!ended) kill(pid, run.Signal);
  }
  if (!ended) waitpid(pid, &status, 0);
  feeder.join();
  TKelvokonvResult result;
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  if (run.MeasureMemory) result.MaxRssKb = std::atol(ReadAll(rss).c_str());
  result.Out = ReadAll(out);
  result.Err = ReadAll(err);
  return result;
}

TProgramDir::TProgramDir() : TempDir(std::filesystem::path(KELVOKONV_PATH).parent_path()) {
  std::error_code ec;
  std::filesystem::create_hard_link(KELVOKONV_PATH, Program(), ec);
  if (ec) std::filesystem::copy_file(KELVOKONV_PATH, Program());
}

TKelvokonvResult TProgramDir::Run(TKelvokonvRun run) const {
  run.Program = Program();
  if (run.WorkDir.empty()) run.WorkDir = File("");
  return RunKelvokonv(run);
}

} // namespace kelvo::testing
