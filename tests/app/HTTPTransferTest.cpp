#include "framework/app/HTTPTransfer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "framework/app/Buffer.h"
#include "framework/app/DemoHost.h"
#include "tests/app/FakeDemoHost.h"
#include "tests/app/LoopbackServer.h"

namespace Plix {
namespace {

using Testing::LoopbackServer;
using Testing::ScopedDemoHost;
using FakeDemo = Testing::FakeDemoHost;

const char* kRequest = "GET / HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n";

// Polls until the transfer leaves "in progress" (or 10 s pass).
int WaitForResult(HTTPTransfer& transfer) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int result = transfer.GetResultCode();
  while (result == HTTPTransfer::RESULT_NOT_COMPLETED && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    result = transfer.GetResultCode();
  }
  return result;
}

struct ResponseCase {
  const char* name;
  const char* response;
  bool holdOpen;  // true: the body must be framed without the close
  int result;
  const char* content;
};

class ResponseTest : public testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseTest, FramesTheBodyAndReportsTheResult) {
  const ResponseCase& c = GetParam();
  LoopbackServer server(c.response, c.holdOpen);
  HTTPTransfer transfer;
  transfer.SendRequest(server.Address(), kRequest);
  EXPECT_EQ(WaitForResult(transfer), c.result);
  if (c.result == HTTPTransfer::RESULT_DONE) {
    EXPECT_EQ(transfer.GetContent(), c.content);
  }
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0], kRequest);
}

const char* kChunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    HTTPTransfer, ResponseTest,
    testing::Values(
        ResponseCase{"ContentLength", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", true, 0, "hello"},
        ResponseCase{"ContentLengthExtraBytesIgnored", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nhello", true, 0,
                     "he"},
        ResponseCase{"Chunked",
                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n",
                     true, 0, "hello world"},
        ResponseCase{"ChunkedUpperHex",
                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\nA\r\n0123456789\r\n0\r\n\r\n", true, 0,
                     "0123456789"},
        ResponseCase{"IdentityIsNotChunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\n\r\n5\r\nab", false, 0,
                     "5\r\nab"},
        ResponseCase{"ReadToClose", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\nuntil the end", false, 0, "until the end"},
        ResponseCase{"NoStatusLineReadToClose", "X-Note: y\r\n\r\nbody", false, 0, "body"},
        ResponseCase{"ChunkExtensionEndsTheBody",
                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n5;x=y\r\nhello\r\n0\r\n\r\n",
                     true, 0, "abc"},
        ResponseCase{"NotFound", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", true, 3, ""},
        ResponseCase{"Redirect", "HTTP/1.1 302 Found\r\nLocation: /x\r\n\r\n", true, 4, ""},
        ResponseCase{"ServerError", "HTTP/1.0 500 Oops\r\n\r\n", false, 4, ""},
        ResponseCase{"ShortStatusLine", "HTTP/1.1 20\r\n\r\nbody", false, 4, ""},
        // Ends before its stated length, inside a chunk, before the last
        // chunk, inside the headers, or without any answer: not finished.
        ResponseCase{"EarlyCloseBeforeLength", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", false, 10, ""},
        ResponseCase{"EarlyCloseInsideChunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nabc", false,
                     10, ""},
        ResponseCase{"EarlyCloseBeforeLastChunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n",
                     false, 10, ""},
        ResponseCase{"EarlyCloseInHeaders", "HTTP/1.1 200 OK\r\nContent-Len", false, 10, ""},
        ResponseCase{"NoAnswer", "", false, 10, ""},
        ResponseCase{"NegativeChunkSize", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\nabc", true,
                     10, ""},
        ResponseCase{"AbsurdChunkSize", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7FFFFFFF\r\nabc", true,
                     10, ""}),
    [](const testing::TestParamInfo<ResponseCase>& info) { return info.param.name; });

TEST(HTTPTransfer, ManySmallChunksAcrossReads) {
  std::string body;
  std::string response = kChunked;
  for (int i = 0; i < 2000; ++i) {
    std::string piece = std::to_string(i) + ",";
    body += piece;
    char size[16];
    snprintf(size, sizeof(size), "%zx", piece.size());
    response += std::string(size) + "\r\n" + piece + "\r\n";
  }
  response += "0\r\n\r\n";
  LoopbackServer server(response, true);
  HTTPTransfer transfer;
  transfer.SendRequest(server.Address(), kRequest);
  EXPECT_EQ(WaitForResult(transfer), 0);
  EXPECT_EQ(transfer.GetContent(), body);
}

TEST(HTTPTransfer, RefusedConnection) {
  HTTPTransfer transfer;
  transfer.SendRequest("127.0.0.1:" + std::to_string(LoopbackServer::UnusedPort()), kRequest);
  EXPECT_EQ(WaitForResult(transfer), HTTPTransfer::RESULT_CONNECT_FAIL);
}

TEST(HTTPTransfer, UnknownHost) {
  HTTPTransfer transfer;
  transfer.SendRequest("no-such-host.invalid", kRequest);
  EXPECT_EQ(WaitForResult(transfer), HTTPTransfer::RESULT_INVALID_ADDR);
}

TEST(HTTPTransfer, AbortWhileWaitingForTheAnswer) {
  LoopbackServer server("", true);  // reads the request and never answers
  HTTPTransfer transfer;
  transfer.SendRequest(server.Address(), kRequest);
  while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_COMPLETED);
  transfer.Abort();
  EXPECT_EQ(WaitForResult(transfer), HTTPTransfer::RESULT_ABORTED);
}

TEST(HTTPTransfer, ResetReturnsToIdleWithANewTransferId) {
  LoopbackServer server("", true);
  HTTPTransfer transfer;
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_STARTED);
  transfer.SendRequest(server.Address(), kRequest);
  int id = transfer.GetTransferId();
  transfer.Reset();  // stops the waiting worker
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_STARTED);
  EXPECT_NE(transfer.GetTransferId(), id);
}

TEST(HTTPTransfer, DestructorStopsARunningTransfer) {
  LoopbackServer server("", true);
  auto transfer = std::make_unique<HTTPTransfer>();
  transfer->SendRequest(server.Address(), kRequest);
  while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  transfer.reset();  // returns once the worker has gone
}

TEST(HTTPTransfer, TheURLNamesProtocolHostPortAndPath) {
  struct Case {
    const char* url;
    const char* protocol;
    const char* host;
    int port;
    const char* path;
  };
  const Case cases[] = {
      {"example.test", "", "example.test", 80, "/"},
      {"example.test:8080", "", "example.test", 8080, "/"},
      {"http://example.test/a/b?c", "http", "example.test", 80, "/a/b?c"},
      {"https://example.test:81/", "https", "example.test", 81, "/"},
  };
  for (const Case& c : cases) {
    HTTPTransfer transfer;
    transfer.SendRequest(c.url, "");
    EXPECT_EQ(transfer.GetProtocol(), c.protocol) << c.url;
    EXPECT_EQ(transfer.GetHost(), c.host) << c.url;
    EXPECT_EQ(transfer.GetPort(), c.port) << c.url;
    EXPECT_EQ(transfer.GetPath(), c.path) << c.url;
    transfer.Abort();
  }
}

TEST(HTTPTransfer, HostWithPortConnectsThere) {
  LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", true);
  HTTPTransfer transfer;
  transfer.SendRequest("http://127.0.0.1:" + std::to_string(server.Port()) + "/upload", kRequest);
  EXPECT_EQ(WaitForResult(transfer), 0);
  EXPECT_EQ(transfer.GetContent(), "ok");
}

void WriteResultRecord(Buffer& b, uint32_t id, int result, const std::string& content) {
  b.WriteBits(0, 4);
  b.WriteBits(0, 1);
  b.WriteBits(HTTPTransfer::kDemoRecordType, 5);
  b.WriteLong(id);
  b.WriteByte(static_cast<uint8_t>(result));
  b.WriteString(content);
}

TEST(HTTPTransfer, RecordingWritesEveryChangeOfTheResult) {
  FakeDemo demo;
  demo.mRecording = true;
  ScopedDemoHost scope(&demo);
  LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nbody", true);
  HTTPTransfer transfer;
  transfer.SendRequest(server.Address(), kRequest);
  ASSERT_EQ(WaitForResult(transfer), 0);

  Buffer expected;
  WriteResultRecord(expected, static_cast<uint32_t>(transfer.GetTransferId()), 2, "");
  WriteResultRecord(expected, static_cast<uint32_t>(transfer.GetTransferId()), 0, "body");
  ASSERT_EQ(demo.mBuffer.GetDataLen(), expected.GetDataLen());
  EXPECT_EQ(0, memcmp(demo.mBuffer.GetDataPtr(), expected.GetDataPtr(), expected.GetDataLen()));
  transfer.GetResultCode();  // unchanged: nothing more is written
  EXPECT_EQ(demo.mBuffer.GetDataLen(), expected.GetDataLen());
}

TEST(HTTPTransfer, ReplayTakesTheResultFromTheDemoWithoutTraffic) {
  FakeDemo demo;
  demo.mPlaying = true;
  ScopedDemoHost scope(&demo);
  LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nreal", true);
  HTTPTransfer transfer;
  transfer.SendRequest(server.Address(), kRequest);
  uint32_t id = static_cast<uint32_t>(transfer.GetTransferId());

  // Nothing recorded yet: the result stays in progress.
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_COMPLETED);
  // Another transfer's record stays pending.
  WriteResultRecord(demo.mBuffer, id + 1000, 0, "other");
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_COMPLETED);
  EXPECT_EQ(demo.mConsumed, 0);
  demo.mBuffer.Clear();
  demo.mNeedHeader = true;
  WriteResultRecord(demo.mBuffer, id, 0, "recorded");
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_DONE);
  EXPECT_EQ(transfer.GetContent(), "recorded");
  EXPECT_EQ(demo.mConsumed, 1);
  transfer.WaitFinish();  // the replayed result ends the transfer
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
}  // namespace Plix
