// A second thread of the process.
#pragma once

namespace kiv {

// What a thread runs; it must outlive the thread.
class ThreadBody {
 public:
  virtual void Run() = 0;

 protected:
  ~ThreadBody() = default;
};

class Threads {
 public:
  virtual ~Threads() = default;
  // Starts body.Run() on a new thread with the default stack size; false when no thread could be
  // started. The thread handle is the platform's to close.
  virtual bool CreateThread(ThreadBody& body) = 0;
};

}  // namespace kiv
