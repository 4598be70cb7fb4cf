#pragma once
// One HTTP exchange at a time over TCP, on a worker thread of its own. The
// caller composes the whole request (request line, headers and body); the
// worker connects to the URL's host, sends it, checks the status line and
// collects the body framed by Content-Length, chunks or the end of the
// connection. The caller polls GetResultCode. While a demo is recorded
// every change of the result is written into it; while one is replayed no
// traffic happens and the results come from the demo.
#include <atomic>
#include <string>

#include "framework/platform/Threads.h"

namespace Plix {

class HTTPTransfer {
public:
  enum Result {
    RESULT_DONE = 0,           // the whole response was read, status 200
    RESULT_NOT_STARTED = 1,    // idle
    RESULT_NOT_COMPLETED = 2,  // in progress
    RESULT_NOT_FOUND = 3,      // status 404
    RESULT_HTTP_ERROR = 4,     // any other status, or a malformed status line
    RESULT_ABORTED = 5,        // Abort was called
    RESULT_SOCKET_ERROR = 6,   // no socket, or waiting on it failed
    RESULT_INVALID_ADDR = 7,   // the host name did not resolve
    RESULT_CONNECT_FAIL = 8,   // the connection failed
    RESULT_SEND_FAIL = 9,      // sending failed
    RESULT_RECEIVE_FAIL = 10,  // the response ended before it was complete
  };

  // Demo record type of a result change.
  static constexpr int kDemoRecordType = 17;
  // Chunks larger than this are refused as malformed.
  static constexpr int kMaxChunkSize = 64 * 1024 * 1024;

  HTTPTransfer();
  virtual ~HTTPTransfer();
  HTTPTransfer(const HTTPTransfer&) = delete;
  HTTPTransfer& operator=(const HTTPTransfer&) = delete;

  // Sends a complete request to the host of the URL ("host", "host:port",
  // "http://host:port/path").
  void SendRequest(const std::string& url, const std::string& request);
  // Asks the worker to stop; it sees the request within 100 ms.
  void Abort();
  // Back to idle: stops and waits for a running worker first.
  void Reset();
  int GetResultCode();
  void WaitFinish();

  // The body collected so far; complete after RESULT_DONE.
  std::string GetContent();
  int GetTransferId() const { return mTransferId; }
  const std::string& GetHost() const { return mHost; }
  int GetPort() const { return mPort; }
  const std::string& GetPath() const { return mPath; }
  const std::string& GetProtocol() const { return mProtocol; }

private:
  void PrepareTransfer(const std::string& url);
  void StartThread();
  void TransferThread();
  void Fail(int result);
  bool WaitForSocket(bool readable, bool writable);
  bool Connect();
  // Moves framed body bytes from the unread data into the content; true when
  // the body is complete.
  bool TakeBody(std::string& unread);
  void UpdateStatus();

  std::atomic<int> mTransferId{0};
  int mSocket = -1;
  std::string mRequest;
  std::string mURL;
  std::string mProtocol;
  std::string mHost;
  int mPort = 80;
  std::string mPath;
  int mContentLength = 0;
  CriticalSection mContentLock;
  std::string mContent;

  // Body framing state of the worker.
  bool mChunked = false;
  bool mChunkOpen = false;
  int mChunkRemaining = 0;

  std::atomic<bool> mPending{false};
  std::atomic<bool> mWorkerRunning{false};
  std::atomic<bool> mStop{false};
  std::atomic<bool> mUserAbort{false};
  std::atomic<int> mResult{RESULT_NOT_STARTED};
  int mRecordedResult = RESULT_NOT_STARTED;
};

// The one transfer of the process; the crash report upload uses it.
HTTPTransfer& GetHTTPTransfer();

}  // namespace Plix
