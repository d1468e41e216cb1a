// The workbench server over loopback: answers to the page's requests,
// 400 for malformed ones, many requests at once from several threads, and
// slow and hostile clients beside a normal one, each case bounded in time.
#include "tools/korvagraph/serve/workbench_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "korvagraph/analysis/table.h"
#include "platform/ledger.h"
#include "tools/korvagraph/png_reader.h"

namespace korvagraph {
namespace {

using analysis::Status;

// The workbench of the bundled sample, served on a free loopback port for
// the life of the object.
class RunningServer {
 public:
  RunningServer() : workbench_(Sample()), server_(&workbench_, {}) {
    bound_ = server_.Bind("127.0.0.1", 0, &port_);
    if (bound_.ok()) thread_ = std::thread([this] { server_.Run(); });
  }
  ~RunningServer() {
    server_.Stop();
    if (thread_.joinable()) thread_.join();
  }

  const Status& bound() const { return bound_; }
  int port() const { return port_; }
  // A client of the server whose calls give up after a few seconds.
  std::unique_ptr<httplib::Client> Client() const {
    auto client = std::make_unique<httplib::Client>("127.0.0.1", port_);
    client->set_connection_timeout(5);
    client->set_read_timeout(30);
    return client;
  }

 private:
  static analysis::Table Sample() {
    analysis::Table data;
    analysis::ReadTable(std::string(KG_SOURCE_DIR) + "/data/sample.dat", {},
                        &data);
    return data;
  }

  Workbench workbench_;
  WorkbenchServer server_;
  Status bound_;
  int port_ = 0;
  std::thread thread_;
};

// Returns the status of GET path, its body in *body.
int Get(httplib::Client* client, const std::string& path,
        std::string* body = nullptr) {
  const httplib::Result result = client->Get(path.c_str());
  if (!result) return -1;
  if (body != nullptr) *body = result->body;
  return result->status;
}

// Returns the number that follows "name": in json (the first one).
double JsonField(const std::string& json, const std::string& name) {
  const size_t at = json.find("\"" + name + "\":");
  if (at == std::string::npos) return -1e300;
  return std::strtod(json.c_str() + at + name.size() + 3, nullptr);
}

// Returns the number of cyan pixels, the colour of selected pairs.
int CyanPixels(const std::string& png) {
  PngImage image;
  if (!DecodePng(std::vector<uint8_t>(png.begin(), png.end()), "reply", &image)
           .ok()) {
    return -1;
  }
  int cyan = 0;
  for (size_t p = 0; p + 2 < image.pixels.size(); p += image.channels) {
    cyan += image.pixels[p] == 0 && image.pixels[p + 1] == 255 &&
            image.pixels[p + 2] == 255;
  }
  return cyan;
}

// Regression: the HTTP library shares ports by default, so a second server
// bound to a port already served reported success and took part of the
// first one's requests.
TEST(WorkbenchServerTest, RefusesAPortAlreadyServed) {
  RunningServer first;
  ASSERT_TRUE(first.bound().ok()) << first.bound().ToString();
  Workbench workbench{analysis::Table()};
  WorkbenchServer second(&workbench, {});
  int port = 0;
  const Status status = second.Bind("127.0.0.1", first.port(), &port);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("cannot listen"), std::string::npos);
}

TEST(WorkbenchServerTest, AnswersMalformedRequestsWith400) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const struct {
    const char* name;
    const char* path;
    const char* message;
  } cases[] = {
      {"unknown chart", "/chart/pie.png", "unknown chart"},
      {"huge picture", "/chart/vario.png?w=100000", "w: expected"},
      {"tiny picture", "/chart/cloud.png?h=2", "h: expected"},
      {"size not a number", "/chart/vario.png?w=abc", "w: expected"},
      {"not finite", "/chart/vario.png?sill=nan", "sill: expected"},
      {"overflowing number", "/chart/vario.png?sill=1e400", "sill: expected"},
      {"too many lags", "/api/info?lags=100000", "lags: expected"},
      {"fractional lag count", "/api/info?lags=2.5", "lags: expected"},
      {"too many directions", "/api/info?dirs=0,1,2,3,4,5,6,7,8",
       "dirs: expected"},
      {"direction beyond dirs", "/api/info?dirs=0,90&dir=3", "dir: expected"},
      {"limits out of order", "/api/info?tmin=5&tmax=1", "tmin, tmax"},
      {"unknown model", "/chart/vario.png?model=cubic", "model: expected"},
      {"power exponent of 2", "/chart/vario.png?model=power&range=2",
       "power exponent must be above 0 and below 2"},
      {"pick without a click", "/api/pick", "x, y: expected"},
      {"pick off the scale", "/api/pick?x=-5&y=3", "x: expected"},
      {"box of three corners", "/api/box?px=1,2,3", "px: expected"},
      {"cloud box of two numbers", "/chart/cloud.png?box=1,2", "box: expected"},
      {"unknown model format", "/api/model?format=xml", "format: expected"},
      {"no lag holds 30 pairs", "/chart/vario.png?lag=1e-9&lags=1", "no lag"},
      // Regression: a number was read up to a NUL, "5\0junk" as 5.
      {"NUL inside a number", "/api/info?lag=5%00junk", "lag: expected"},
      {"letters after a number", "/api/info?lag=5junk", "lag: expected"},
      {"blank before a number", "/api/info?lag=%205", "lag: expected"},
      // Regression: the unknown column's message named the file's folder.
      {"unknown attribute", "/api/info?col=Nickel", "in sample.dat: expected"},
      {"fractional excluded row", "/api/info?exclude=3.5", "exclude: expected"},
      {"unknown variogram kind", "/api/info?kind=madogram", "kind: expected"},
      {"unknown colour classes", "/api/info?colours=rainbow",
       "colours: expected"},
      {"unreadable model", "/api/info?formula=lots", "formula: expected"},
      {"written-out range of 0", "/api/info?formula=1%2B2%20sph(0)", "range must"},
      {"four structures", "/api/fit?nested=gaussian,hole,power",
       "nested: expected"},
      {"unknown fit weights", "/api/fit?fitweights=h", "fitweights: expected"},
      {"load of no model", "/api/load?text=hello", "text: GSLIB model"},
      {"legend of a chart without one", "/chart/hist-legend.png",
       "unknown chart"},
  };
  for (const auto& c : cases) {
    std::string body;
    EXPECT_EQ(Get(client.get(), c.path, &body), 400) << c.name;
    EXPECT_NE(body.find(c.message), std::string::npos)
        << c.name << ": " << body;
    EXPECT_EQ(body.find(KG_SOURCE_DIR), std::string::npos)
        << c.name << ": an answer names a folder: " << body;
  }
}

// Returns a socket connected to port on loopback, its receive buffer set to
// receive_buffer bytes when that is not 0.
int ConnectLoopback(int port, int receive_buffer = 0) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (receive_buffer > 0) {
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer,
               sizeof(receive_buffer));
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  return fd;
}

// Returns the answer to text sent as it is: all until the server closes or,
// unless until_close, one whole answer; gives up after 5 s.
std::string RawAnswer(int port, const std::string& text,
                      bool until_close = false) {
  const int fd = ConnectLoopback(port);
  timeval limit{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
  std::string answer;
  char chunk[65536];
  ssize_t n = write(fd, text.data(), text.size());
  while (n > 0 && (n = read(fd, chunk, sizeof(chunk))) > 0) {
    answer.append(chunk, static_cast<size_t>(n));
    const size_t head = answer.find("\r\n\r\n");
    const size_t length = answer.find("Content-Length: ");
    if (!until_close && head != std::string::npos && length < head &&
        answer.size() >= head + 4 + std::stoul(answer.substr(length + 16))) {
      break;
    }
  }
  close(fd);
  return answer;
}

TEST(WorkbenchServerTest, AnswersRequestsThatAreNotHttpWith400) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  const struct {
    const char* name;
    const char* text;
  } cases[] = {
      {"no version", "GET /\r\n\r\n"},
      {"unknown version", "GET / HTTP/7.5\r\n\r\n"},
      {"a word too many", "GET / HTTP/1.1 please\r\n\r\n"},
      {"bytes that are no request", "\x01\x02\x03\r\n\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RawAnswer(server.port(), c.text).rfind("HTTP/1.1 400 ", 0), 0u)
        << c.name;
  }
}

TEST(WorkbenchServerTest, PicksThePointTheChartRecordedAndItsPairs) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const std::string size = "w=560&h=520";
  const struct {
    const char* name;
    const char* settings;
    int entry;
  } cases[] = {
      {"first lag, every direction", "dir=0", 2},
      {"middle lag, every direction", "dir=0", 5},
      {"azimuth 90", "dir=3", 6},
      {"short lags", "dir=0&lag=25&lags=20", 9},
      {"azimuth 45 within a band", "dir=2&atol=45&bandwidth=60", 7},
      {"a narrow lag tolerance", "dir=4&lagtol=10", 4},
  };
  for (const auto& c : cases) {
    const std::string query = std::string(c.settings) + "&" + size;
    std::string points;
    ASSERT_EQ(Get(client.get(), "/api/points?" + query, &points), 200)
        << c.name;
    // The entry's recorded position, from the entry's object on.
    const std::string key = "{\"entry\": " + std::to_string(c.entry) + ",";
    const std::string point = points.substr(points.find(key));
    const int x = static_cast<int>(JsonField(point, "x"));
    const int y = static_cast<int>(JsonField(point, "y"));
    const double npairs = JsonField(point, "npairs");
    std::string pick;
    ASSERT_EQ(Get(client.get(),
                  "/api/pick?" + query + "&x=" + std::to_string(x + 2) +
                      "&y=" + std::to_string(y - 1),
                  &pick),
              200)
        << c.name;
    EXPECT_EQ(JsonField(pick, "entry"), c.entry) << c.name << ": " << pick;
    EXPECT_EQ(JsonField(pick, "cloud_pairs"), npairs) << c.name;
    // The pair map links that many pairs in cyan; without a pick, none.
    std::string map, plain;
    ASSERT_EQ(
        Get(client.get(),
            "/chart/cloudmap.png?" + query + "&pick=" + std::to_string(c.entry),
            &map),
        200);
    ASSERT_EQ(Get(client.get(), "/chart/cloudmap.png?" + query, &plain), 200);
    EXPECT_GT(CyanPixels(map), 0) << c.name;
    EXPECT_EQ(CyanPixels(plain), 0) << c.name;
  }
  std::string far;
  ASSERT_EQ(Get(client.get(), "/api/pick?" + size + "&x=550&y=10", &far), 200);
  EXPECT_EQ(JsonField(far, "entry"), -1) << "a click far from every point";
}

TEST(WorkbenchServerTest, SelectsTheCloudPairsInABox) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const double all = 300 * 299 / 2;
  const struct {
    const char* name;
    const char* box;
    bool every, none;
  } cases[] = {
      {"the whole picture", "0,0,420,420", true, false},
      {"corners in any order", "420,420,0,0", true, false},
      {"above every pair", "300,10,400,15", false, true},
      {"short distances, any semivariance", "45,0,100,420", false, false},
  };
  for (const auto& c : cases) {
    std::string answer;
    ASSERT_EQ(Get(client.get(), std::string("/api/box?w=420&h=420&px=") + c.box,
                  &answer),
              200)
        << c.name;
    const double pairs = JsonField(answer, "cloud_pairs");
    EXPECT_EQ(pairs == all, c.every) << c.name << ": " << answer;
    EXPECT_EQ(pairs == 0, c.none) << c.name << ": " << answer;
  }
}

TEST(WorkbenchServerTest, RedrawsTheModelWhenTheSillChanges) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const std::string model = "/chart/vario.png?nugget=10&range=300&sill=";
  std::string low, high, again;
  ASSERT_EQ(Get(client.get(), model + "200", &low), 200);
  ASSERT_EQ(Get(client.get(), model + "260", &high), 200);
  ASSERT_EQ(Get(client.get(), model + "200", &again), 200);
  EXPECT_NE(low, high);
  EXPECT_EQ(low, again);
  std::string vector;
  ASSERT_EQ(Get(client.get(), "/chart/vario.svg?nugget=10&range=300&sill=260",
                &vector),
            200);
  EXPECT_NE(vector.find("<svg"), std::string::npos) << "the vector picture";
  std::string text;
  ASSERT_EQ(Get(client.get(),
                "/api/model?format=gslib&nugget=10&range=300&"
                "sill=260",
                &text),
            200);
  EXPECT_EQ(text.rfind("1  10  - nst, nugget effect\n1  250  0  ", 0), 0u)
      << text;
}

// Answers that carry the new settings: excluded rows, indicators, lag
// numbers, table rows, fits over every direction, models read from text.
TEST(WorkbenchServerTest, AnswersWithTheViewsSettings) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const std::string gslib = httplib::detail::encode_query_param(
      "2  0.1\n1  0.3  0  0  0\n60  60  60\n2  0.6  30  0  0\n240  120  240");
  const struct {
    const char* name;
    std::string path;
    const char* expected;
  } cases[] = {
      {"a sample excluded", "/api/info?exclude=66",
       "\"excluded\": [{\"row\": 66, \"x\": 40.6, \"y\": 264.1, \"value\": "
       "111"},
      {"an indicator", "/api/info?kind=indicator&threshold=q50", " (q50)\""},
      {"the selections",
       "/api/info?kind=indicator&threshold=q25&fit=directions",
       "\"kind\": \"indicator\", \"threshold\": \"q25\", \"colours\": "
       "\"linear\", \"nested\": \"\", \"fit\": \"directions\""},
      {"lags numbered from 1", "/api/points", "{\"entry\": 5, \"lag\": 4,"},
      {"the table row of a sample", "/api/box?w=420&h=420&px=60,20,250,160",
       "{\"sample\": 66, \"row\": 66, \"pairs\": 146"},
      {"another row excluded",
       "/api/box?w=420&h=420&px=60,20,250,160&exclude=3",
       "{\"sample\": 65, \"row\": 66,"},
      {"a fit over every direction", "/api/fit?fit=directions&nested=hole",
       "to 52 lags of every direction"},
      {"a GSLIB block read", "/api/load?text=" + gslib,
       "\"formula\": \"0.1 + 0.3 sph(60) + 0.6 exp(240, 120, 30)\""},
  };
  for (const auto& c : cases) {
    std::string body;
    ASSERT_EQ(Get(client.get(), c.path, &body), 200) << c.name << ": " << body;
    EXPECT_NE(body.find(c.expected), std::string::npos) << c.name << body;
  }
}

// Each new setting changes the picture it should.
TEST(WorkbenchServerTest, DrawsWhatTheNewSettingsAskFor) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  const struct {
    const char* name;
    std::string first, second;
  } cases[] = {
      {"a model of two structures", "vario.png?nugget=40&sill=230&range=270",
       "vario.png?formula=40%2B90%20sph(60)%2B100%20exp(400,150,30)"},
      {"a cross variogram", "vario.png", "vario.png?kind=cross"},
      {"an indicator's", "mvario.png", "mvario.png?kind=indicator"},
      {"another attribute's map", "varmap.png", "varmap.png?col=Zinc"},
  };
  for (const auto& c : cases) {
    std::string first, second;
    ASSERT_EQ(Get(client.get(), "/chart/" + c.first, &first), 200) << c.name;
    ASSERT_EQ(Get(client.get(), "/chart/" + c.second, &second), 200) << c.name;
    EXPECT_TRUE(first != second) << c.name;
  }
}

// Regression: the variogram's warnings named the view's own fit whatever
// model was drawn, so a model the page fitted anew showed another's.
TEST(WorkbenchServerTest, WarnsOfTheViewsFitOnlyWhenItIsDrawn) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  auto client = server.Client();
  // Lags of 25 up to 100: the fitted range lies beyond them.
  const std::string view = "/api/warnings?chart=vario&lag=25&lags=4";
  std::string own, given;
  ASSERT_EQ(Get(client.get(), view, &own), 200);
  ASSERT_EQ(Get(client.get(), view + "&sill=230&range=270", &given), 200);
  EXPECT_NE(own.find("the fitted range"), std::string::npos) << own;
  EXPECT_EQ(given.find("the fitted range"), std::string::npos) << given;
}

// Eight clients at once, each with the requests of a page at work; every
// answer as expected and no drawing object or device context left behind.
TEST(WorkbenchServerTest, ServesConcurrentRequestsAndBalancesTheLedger) {
  constexpr int kThreads = 8;
  constexpr int kRequests = 200;
  const GdiLedger before = CurrentGdiLedger();
  std::atomic<int> unexpected{0};
  {
    RunningServer server;
    ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
    const struct {
      const char* path;
      int status;
    } requests[] = {
        {"/chart/vario.png?w=64&h=64&pick=4&sill=250", 200},
        {"/chart/cloud.png?w=64&h=64&pick=3", 200},
        {"/chart/cloudmap.png?w=64&h=64&box=0,100,0,500", 200},
        {"/chart/mvario.png?w=64&h=64&atol=30", 200},
        {"/api/pick?w=64&h=64&x=20&y=30", 200},
        {"/api/box?w=64&h=64&px=0,0,30,30", 200},
        {"/chart/hist.png?w=64&h=64", 200},
        {"/chart/vario.png?w=0", 400},
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        auto client = server.Client();
        for (int r = 0; r < kRequests; ++r) {
          const auto& request = requests[(t + r) % std::size(requests)];
          if (Get(client.get(), request.path) != request.status) ++unexpected;
        }
      });
    }
    for (std::thread& thread : threads) thread.join();
  }
  EXPECT_EQ(unexpected.load(), 0);
  EXPECT_TRUE(CurrentGdiLedger() == before) << "drawing objects left live";
}

using Clock = std::chrono::steady_clock;
enum class Behaviour { kSlowSender, kSilent, kNonReader };

const struct {
  const char* name;
  Behaviour behaviour;
  int count;
} kHostileClients[] = {
    {"a request line, then a byte at a time", Behaviour::kSlowSender, 64},
    {"connected and silent", Behaviour::kSilent, 64},
    {"never reading a large picture", Behaviour::kNonReader, 16},
};

// count connections to port that behave as behaviour says while they live.
class Clients {
 public:
  Clients(int port, Behaviour behaviour, int count) {
    const std::string request =
        behaviour == Behaviour::kSlowSender
            ? "GET /api/info HTTP/1.1\r\n"
            : "GET /chart/cloud.svg?w=1600&h=1600 HTTP/1.1\r\n\r\n";
    for (int i = 0; i < count; ++i) {
      const int fd = ConnectLoopback(port, 4096);
      if (behaviour != Behaviour::kSilent && fd >= 0) {
        send(fd, request.data(), request.size(), MSG_NOSIGNAL);
      }
      fds_.push_back(fd);
    }
    // A byte every 100 ms: slower clients than these are only easier.
    if (behaviour != Behaviour::kSlowSender) return;
    dribbler_ = std::thread([this] {
      while (!done_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (int fd : fds_) send(fd, "X", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
      }
    });
  }
  ~Clients() {
    done_ = true;
    if (dribbler_.joinable()) dribbler_.join();
    for (int fd : fds_) close(fd);
  }

 private:
  std::vector<int> fds_;
  std::atomic<bool> done_{false};
  std::thread dribbler_;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// `korvagraph serve` of the bundled sample on a free loopback port (the shell
// prints its process number and becomes it), killed unless it ended.
class ServeProcess {
 public:
  ServeProcess() {
    const std::string command =
        std::string("echo $$; exec '") + KORVAGRAPH_PROGRAM +
        "' serve --port 0 --data '" + KG_SOURCE_DIR + "/data/sample.dat'";
    output_ = popen(command.c_str(), "r");
    char line[1024] = "";
    if (output_ != nullptr && std::fgets(line, sizeof(line), output_))
      pid_ = std::atoi(line);
    if (pid_ > 0 && std::fgets(line, sizeof(line), output_) != nullptr) {
      const char* at = std::strstr(line, "127.0.0.1:");
      port_ = at == nullptr ? 0 : std::atoi(at + 10);
    }
  }
  ~ServeProcess() {
    if (pid_ > 0) kill(pid_, SIGKILL);
    if (output_ != nullptr) pclose(output_);
  }

  int port() const { return port_; }
  // The program's resident memory in pages.
  long ResidentPages() const {
    long size = 0, resident = -1;
    std::ifstream("/proc/" + std::to_string(pid_) + "/statm") >> size >>
        resident;
    return resident;
  }
  // Sends SIGTERM; returns the seconds until the output ended (killed after
  // limit) and writes the exit status (-1 if killed).
  double Terminate(double limit, int* status) {
    const Clock::time_point start = Clock::now();
    if (pid_ > 0) kill(pid_, SIGTERM);
    pollfd output{fileno(output_), POLLIN, 0};
    char chunk[256];
    while (poll(&output, 1, static_cast<int>(limit * 1000)) > 0 &&
           read(output.fd, chunk, sizeof(chunk)) > 0) {
    }
    const double seconds = SecondsSince(start);
    if (seconds >= limit && pid_ > 0) kill(pid_, SIGKILL);
    const int ended = pclose(output_);
    output_ = nullptr;
    pid_ = -1;  // reaped: the number may be another process's now
    *status = WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
    return seconds;
  }

 private:
  FILE* output_ = nullptr;
  pid_t pid_ = -1;
  int port_ = 0;
};

// Regression: sixteen slow clients held all eight workers, so a normal
// request got no answer within 30 s; and the server waited for every open
// connection to end, so that it still ran 20 s after SIGTERM.
TEST(WorkbenchServerTest, AnswersAndStopsPromptlyBesideHostileClients) {
  for (const auto& c : kHostileClients) {
    ServeProcess process;
    ASSERT_GT(process.port(), 0) << c.name;
    const Clients clients(process.port(), c.behaviour, c.count);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Pictures wait for the workbench one at a time: beside clients that
    // asked for large ones, the page (drawn by no one) is the measure.
    const char* path =
        c.behaviour == Behaviour::kNonReader ? "/" : "/api/info?lags=8";
    const Clock::time_point start = Clock::now();
    const httplib::Result result =
        httplib::Client("127.0.0.1", process.port()).Get(path);
    EXPECT_LT(SecondsSince(start), 1.0) << c.name;
    EXPECT_TRUE(result && result->status == 200) << c.name;
    int status = -1;
    EXPECT_LT(process.Terminate(5.0, &status), 2.0) << c.name;
    EXPECT_EQ(status, 0) << c.name;
  }
}

// Regression: large pictures left the server at 350 MB resident after a
// load, against 20 MB after the first page.
TEST(WorkbenchServerTest, GivesMemoryBackAfterALoadOfLargePictures) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's own memory hides the server's";
#endif
  ServeProcess process;
  for (const char* path : {"/", "/api/info", "/chart/vario.png?w=560&h=520",
                           "/chart/cloud.png?w=420&h=420"}) {
    httplib::Client("127.0.0.1", process.port()).Get(path);
  }
  const long first_page = process.ResidentPages();
  std::vector<std::thread> clients;
  for (int pick = 2; pick < 10; ++pick) {
    clients.emplace_back([&process, pick] {
      httplib::Client client("127.0.0.1", process.port());
      client.set_read_timeout(60);
      client.Get("/chart/cloud.svg?w=1600&h=1600&pick=" + std::to_string(pick));
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_LT(process.ResidentPages(), 2 * first_page) << first_page << " first";
}

// Regression: answers the HTTP library made came with empty bodies, other
// methods with 404 and a Range with 206 or 416.
TEST(WorkbenchServerTest, GivesEveryErrorItsReason) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  const std::string end = " HTTP/1.1\r\nHost: k\r\n";
  const struct {
    const char* name;
    std::string request;
    const char* status;
    const char* in_answer;
  } cases[] = {
      {"POST", "POST /api/info" + end + "Content-Length: 3\r\n\r\nabc",
       "405 Method Not Allowed", "Allow: GET, HEAD"},
      {"PUT", "PUT /chart/vario.png" + end + "Content-Length: 0\r\n\r\n",
       "405 Method Not Allowed", "Allow: GET, HEAD"},
      {"DELETE", "DELETE /" + end + "\r\n", "405 Method Not Allowed",
       "method not allowed"},
      {"PATCH", "PATCH /api/fit" + end + "Content-Length: 0\r\n\r\n",
       "405 Method Not Allowed", "Allow: GET, HEAD"},
      {"unknown page", "GET /etc/passwd" + end + "\r\n", "404 Not Found",
       "no such page"},
      {"URL over 8 KB",
       "GET /api/info?t=" + std::string(9000, 'a') + end + "\r\n",
       "414 URI Too Long", "URL over 8192 bytes"},
      {"large body",
       "POST /api/info" + end + "Content-Length: 5000\r\n\r\n" +
           std::string(5000, 'b'),
       "413 Payload Too Large", "request body over"},
      {"not HTTP", "GET / HTTP/7.5\r\n\r\n", "400 Bad Request",
       "malformed request"},
      {"a range", "GET /api/model" + end + "Range: bytes=0-5\r\n\r\n", "200 OK",
       "\"nugget\":"},
      {"a malformed range", "GET /api/model" + end + "range: lines=9-1\r\n\r\n",
       "200 OK", "\"nugget\":"},
  };
  for (const auto& c : cases) {
    const std::string answer = RawAnswer(server.port(), c.request);
    EXPECT_EQ(answer.rfind(std::string("HTTP/1.1 ") + c.status, 0), 0u)
        << c.name << ": " << answer.substr(0, 200);
    EXPECT_NE(answer.find(c.in_answer), std::string::npos) << c.name;
    const bool error = c.status[0] != '2';
    EXPECT_EQ(answer.find("\r\n\r\n{\"error\": \"") != std::string::npos, error)
        << c.name << ": the reason in the body";
  }
}

// Regression: only the first of three pipelined requests was answered.
TEST(WorkbenchServerTest, AnswersPipelinedRequestsInOrder) {
  RunningServer server;
  ASSERT_TRUE(server.bound().ok()) << server.bound().ToString();
  const std::string request = "GET /api/model?format=";
  const std::string answer = RawAnswer(
      server.port(),
      request + "gslib HTTP/1.1\r\n\r\n" + request + "json HTTP/1.1\r\n\r\n" +
          request + "gslib HTTP/1.1\r\nConnection: close\r\n\r\n",
      /*until_close=*/true);
  const size_t json = answer.find("{\"type\":");
  EXPECT_LT(answer.find("nst, nugget effect"), json) << answer;
  EXPECT_NE(answer.find("nst, nugget effect", json), std::string::npos);
}

}  // namespace
}  // namespace korvagraph
