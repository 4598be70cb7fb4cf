#include "framework/app/HTTPTransfer.h"

#include <cstdlib>

#include "framework/app/Buffer.h"
#include "framework/app/DemoHost.h"
#include "framework/platform/Clock.h"
#include "framework/platform/Sockets.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

std::atomic<int> gNextTransferId{1};

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

HTTPTransfer::HTTPTransfer() : mTransferId(gNextTransferId++) {}

HTTPTransfer::~HTTPTransfer() {
  Abort();
  while (mWorkerRunning) Sleep(20);
}

void HTTPTransfer::SendRequest(const std::string& url, const std::string& request) {
  {
    AutoCrit lock(mContentLock);
    mContent.clear();
  }
  PrepareTransfer(url);
  mRequest = request;
  StartThread();
}

void HTTPTransfer::Abort() {
  mUserAbort = true;
  mStop = true;
}

void HTTPTransfer::Reset() {
  if (mWorkerRunning) {
    Abort();
    WaitFinish();
  }
  mTransferId = gNextTransferId++;
  mResult = RESULT_NOT_STARTED;
  mRecordedResult = RESULT_NOT_STARTED;
  mPending = false;  // a replayed transfer has no worker to clear it
  mURL.clear();
  mRequest.clear();
  mPath.clear();
  {
    AutoCrit lock(mContentLock);
    mContent.clear();
  }
  mStop = false;
  mUserAbort = false;
}

int HTTPTransfer::GetResultCode() {
  UpdateStatus();
  return mResult;
}

void HTTPTransfer::WaitFinish() {
  while (mPending) {
    UpdateStatus();
    Sleep(20);
  }
}

std::string HTTPTransfer::GetContent() {
  AutoCrit lock(mContentLock);
  return mContent;
}

void HTTPTransfer::PrepareTransfer(const std::string& url) {
  Reset();
  mTransferId = gNextTransferId++;
  mURL = url;
  mStop = false;
  mUserAbort = false;
  mResult = RESULT_NOT_COMPLETED;
  {
    AutoCrit lock(mContentLock);
    mContent.clear();
  }
  mContentLength = 0;
  mPort = 80;
  mProtocol.clear();

  size_t hostStart = 0;
  size_t slashes = url.find("//");
  if (slashes != std::string::npos) {
    mProtocol = slashes > 0 ? url.substr(0, slashes - 1) : std::string();
    hostStart = slashes + 2;
  }
  size_t pathStart = url.find('/', hostStart);
  if (pathStart != std::string::npos) {
    mHost = url.substr(hostStart, pathStart - hostStart);
    mPath = url.substr(pathStart);
  } else {
    mHost = url.substr(hostStart);
    mPath = "/";
  }
  size_t colon = mHost.find(':');
  if (colon != std::string::npos) {
    mPort = std::atoi(mHost.c_str() + colon + 1);
    mHost.erase(colon);
  }
}

void HTTPTransfer::StartThread() {
  mPending = true;
  DemoHost* demo = GetDemoHost();
  if (demo != nullptr && demo->IsPlayingDemo()) return;  // the results come from the demo
  mWorkerRunning = true;
  if (!StartDetachedThread([this] { TransferThread(); })) {
    mResult = RESULT_SOCKET_ERROR;
    mPending = false;
    mWorkerRunning = false;
  }
}

void HTTPTransfer::Fail(int result) {
  mResult = result;
  mStop = true;
}

bool HTTPTransfer::WaitForSocket(bool readable, bool writable) {
  for (;;) {
    if (mStop) return true;
    switch (Net::WaitForSocket(mSocket, readable, writable, 100)) {
      case Net::WaitResult::Ready:
        return true;
      case Net::WaitResult::Failed:
        Fail(RESULT_SOCKET_ERROR);
        return false;
      case Net::WaitResult::TimedOut:
        break;
    }
  }
}

bool HTTPTransfer::Connect() {
  std::vector<Net::SocketAddress> addresses = Net::ResolveHost(mHost, mPort);
  if (addresses.empty()) {
    Fail(RESULT_INVALID_ADDR);
    return false;
  }
  // Every address in turn: "localhost" may name an IPv6 address first on
  // which nothing listens.
  bool anySocket = false;
  for (const Net::SocketAddress& address : addresses) {
    if (mStop) return false;
    mSocket = Net::OpenTcpSocket(address);
    if (mSocket < 0) continue;
    anySocket = true;
    Net::ConnectStart start = Net::StartConnect(mSocket, address);
    if (start == Net::ConnectStart::Connected) return true;
    if (start == Net::ConnectStart::InProgress) {
      for (;;) {
        if (mStop) return false;
        Net::WaitResult w = Net::WaitForSocket(mSocket, false, true, 100);
        if (w == Net::WaitResult::TimedOut) continue;
        if (w == Net::WaitResult::Ready && Net::ConnectSucceeded(mSocket)) return true;
        break;
      }
    }
    Net::CloseSocket(mSocket);
    mSocket = -1;
  }
  Fail(anySocket ? RESULT_CONNECT_FAIL : RESULT_SOCKET_ERROR);
  return false;
}

bool HTTPTransfer::TakeBody(std::string& unread) {
  auto append = [this](const char* data, size_t count) {
    AutoCrit lock(mContentLock);
    mContent.append(data, count);
  };
  if (mChunked) {
    while (!unread.empty() || !mChunkOpen) {
      if (!mChunkOpen) {
        size_t end = unread.find("\r\n");
        if (end == std::string::npos) return false;  // the size line is not complete yet
        std::string line = Trim(unread.substr(0, end));
        unread.erase(0, end + 2);
        int size = 0;
        // A size line with an extension or stray characters ends the body.
        if (!StringToInt("0x" + line, size) || size == 0) return true;
        if (size < 0 || size > kMaxChunkSize) {
          Fail(RESULT_RECEIVE_FAIL);
          return true;
        }
        mChunkOpen = true;
        mChunkRemaining = size;
      }
      if (mChunkRemaining > 0) {
        size_t take = std::min(unread.size(), static_cast<size_t>(mChunkRemaining));
        append(unread.data(), take);
        unread.erase(0, take);
        mChunkRemaining -= static_cast<int>(take);
      }
      if (mChunkRemaining > 0) return false;
      // The chunk's closing line end.
      if (unread.size() < 2) return false;
      unread.erase(0, 2);
      mChunkOpen = false;
    }
    return false;
  }
  if (mContentLength > 0) {
    AutoCrit lock(mContentLock);
    size_t remaining =
        static_cast<size_t>(mContentLength) - std::min(mContent.size(), static_cast<size_t>(mContentLength));
    size_t take = std::min(unread.size(), remaining);
    mContent.append(unread, 0, take);
    unread.erase(0, take);
    return mContent.size() >= static_cast<size_t>(mContentLength);
  }
  append(unread.data(), unread.size());
  unread.clear();
  return false;
}

void HTTPTransfer::TransferThread() {
  mChunked = false;
  mChunkOpen = false;
  mChunkRemaining = 0;

  if (!mStop && Connect()) {
    while (!mRequest.empty() && !mStop) {
      if (!WaitForSocket(false, true) || mStop) break;
      long sent = Net::SendSome(mSocket, mRequest.data(), mRequest.size());
      if (sent < 0) {
        Fail(RESULT_SEND_FAIL);
        break;
      }
      mRequest.erase(0, static_cast<size_t>(sent));
    }

    std::string unread;
    bool headerMode = true;
    char chunk[4096];
    while (!mStop) {
      if (!WaitForSocket(true, false) || mStop) break;
      long got = Net::ReceiveSome(mSocket, chunk, sizeof(chunk));
      if (got == -2) continue;
      if (got <= 0) {
        // The peer closed (or the receive failed). Only a body read to the
        // end of the connection is complete at that point.
        bool readToClose = !headerMode && !mChunked && mContentLength <= 0;
        if (got < 0 || !readToClose) Fail(RESULT_RECEIVE_FAIL);
        break;
      }
      unread.append(chunk, static_cast<size_t>(got));
      while (headerMode) {
        size_t end = unread.find("\r\n");
        if (end == std::string::npos) break;
        std::string line = unread.substr(0, end);
        unread.erase(0, end + 2);
        if (StartsWith(line, "HTTP/1.")) {
          std::string status = line.size() >= 12 ? line.substr(9, 3) : std::string();
          if (status == "404") {
            Fail(RESULT_NOT_FOUND);
          } else if (status != "200") {
            Fail(RESULT_HTTP_ERROR);
          }
          if (mStop) break;
        } else if (StartsWith(line, "Transfer-Encoding: ")) {
          if (line.substr(19) != "identity") mChunked = true;
        } else if (StartsWith(line, "Content-Length: ")) {
          mContentLength = std::atoi(line.c_str() + 16);
        } else if (line.empty()) {
          headerMode = false;
        }
      }
      if (mStop) break;
      if (!headerMode && TakeBody(unread)) break;
    }
  }

  Net::CloseSocket(mSocket);
  mSocket = -1;
  if (mUserAbort) {
    Fail(RESULT_ABORTED);
  } else if (mResult == RESULT_NOT_COMPLETED) {
    mResult = RESULT_DONE;
  }
  mPending = false;
  mWorkerRunning = false;  // last: the destructor may run as soon as this is clear
}

void HTTPTransfer::UpdateStatus() {
  DemoHost* demo = GetDemoHost();
  if (demo == nullptr) return;
  Buffer& buffer = demo->GetDemoBuffer();
  if (demo->IsRecordingDemo() && !demo->IsPlayingDemo()) {
    int result = mResult;
    if (result == mRecordedResult) return;
    demo->WriteDemoTimePrefix();
    buffer.WriteBits(0, 1);
    buffer.WriteBits(kDemoRecordType, 5);
    buffer.WriteLong(static_cast<uint32_t>(mTransferId.load()));
    buffer.WriteByte(static_cast<uint8_t>(result));
    buffer.WriteString(result == RESULT_NOT_COMPLETED ? std::string() : GetContent());
    mRecordedResult = result;
  } else if (demo->IsPlayingDemo()) {
    if (!demo->ReadDemoRecordHeader() || demo->IsDemoRecordShortForm() ||
        demo->GetDemoRecordType() != kDemoRecordType) {
      return;
    }
    int64_t position = buffer.GetReadBitPos();
    if (static_cast<int>(buffer.ReadLong()) != mTransferId) {
      buffer.SetReadBitPos(position);  // another transfer's record: leave it pending
      return;
    }
    int result = buffer.ReadByte();
    std::string content = buffer.ReadString();
    {
      AutoCrit lock(mContentLock);
      mContent = content;
    }
    mResult = result;
    mRecordedResult = result;
    demo->ConsumeDemoRecord();
    // Nothing else would end a replayed transfer: WaitFinish would wait
    // forever.
    if (result != RESULT_NOT_COMPLETED) mPending = false;
  }
}

HTTPTransfer& GetHTTPTransfer() {
  static HTTPTransfer transfer;
  return transfer;
}

}  // namespace Plix
