#include "platform/pop3/pop3_client.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>

#include "platform/pop3/line_socket.h"
#include "platform/pop3/server_address.h"
#include "platform/pop3/service_texts.h"

namespace vostrel::pop3 {
namespace {

using Result = LineSocket::Result;

// RFC 1939 limits a status line to 512 octets. Message lines should stop at
// 998 plus CRLF (RFC 5322), but real mail carries far longer ones (unbroken
// HTML, base64 without breaks), so only a line beyond 1 MiB is refused.
constexpr size_t kMaxStatusLine = 512;
constexpr size_t kMaxContentLine = size_t{1} << 20;
constexpr size_t kMaxResponseBytes = size_t{1} << 30;
// Guards the size list against an absurd message count from the server.
constexpr int64_t kMaxMessages = 10'000'000;

enum class Reply { kOk, kErr, kGarbage, kTimeout, kClosed, kTooLong, kStopped, kFailed };

Reply FromResult(Result r) {
  switch (r) {
    case Result::kOk: return Reply::kOk;
    case Result::kTimeout: return Reply::kTimeout;
    case Result::kClosed: return Reply::kClosed;
    case Result::kTooLong: return Reply::kTooLong;
    case Result::kStopped: return Reply::kStopped;
    case Result::kFailed: return Reply::kFailed;
  }
  return Reply::kFailed;
}

bool ParseNumber(std::string_view text, int64_t& value) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

// Splits on blanks, dropping the line end.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
    const size_t start = i;
    while (i < line.size() && !(line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n')) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// Reads "n value" listing lines; false on any malformed line.
template <typename Store>
bool ParseListing(std::string_view body, Store&& store) {
  while (!body.empty()) {
    const size_t end = body.find('\n');
    const std::string_view line = body.substr(0, end);
    body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    int64_t number = 0;
    if (words.size() < 2 || !ParseNumber(words[0], number) || !store(number, words[1])) return false;
  }
  return true;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

struct Pop3Client::Session {
  LineSocket socket;
  std::string error;
  ProgressFunction progress;
  int timeout_ms = 30000;
  bool id_listing_tried = false;
  std::map<int64_t, std::string> id_listing;

  void Fail(const char* text) { error = text; }

  // Sends one command and reads its status line. Anything but a clean +OK or
  // -ERR leaves the stream out of step, so the connection is dropped.
  Reply Command(const std::string& command, std::string& status) {
    status.clear();
    if (!socket.is_open()) return Reply::kClosed;
    if (!command.empty()) {
      if (const Result r = socket.WriteAll(command + "\r\n"); r != Result::kOk) return Drop(FromResult(r));
    }
    if (const Result r = socket.ReadLine(status, kMaxStatusLine); r != Result::kOk) {
      return Drop(r == Result::kTooLong ? Reply::kGarbage : FromResult(r));
    }
    if (status.rfind("+OK", 0) == 0) return Reply::kOk;
    if (status.rfind("-ERR", 0) == 0) return Reply::kErr;
    return Drop(Reply::kGarbage);
  }

  // Reads a multi-line body up to its "." line, undoing dot-stuffing.
  Reply ReadBody(std::string& body) {
    std::string line;
    while (true) {
      if (const Result r = socket.ReadLine(line, kMaxContentLine); r != Result::kOk) return Drop(FromResult(r));
      if (line == ".\r\n" || line == ".\n") return Reply::kOk;
      if (body.size() + line.size() > kMaxResponseBytes) return Drop(Reply::kTooLong);
      body.append(line, line.front() == '.' ? 1 : 0);
    }
  }

  Reply Drop(Reply reply) {
    socket.Close();
    id_listing_tried = false;
    id_listing.clear();
    return reply;
  }

  // Runs `read` with the progress routine watching the chunks. False when
  // the routine asked to stop before anything was sent.
  template <typename Read>
  Reply WithProgress(int stage, int64_t number, Read&& read) {
    const int shown_number = static_cast<int>(number);
    if (progress && progress(stage, shown_number, 0) == 0) return Reply::kStopped;
    if (progress) {
      socket.set_on_chunk([this, stage, shown_number](size_t bytes) {
        return progress(stage, shown_number, static_cast<int>(bytes)) != 0;
      });
    }
    const Reply reply = read();
    socket.set_on_chunk(nullptr);
    return reply;
  }

  // One fresh connection and login; kErr means the login was refused.
  Reply Login(const ServerAddress& address, const std::string& user, const std::string& password) {
    if (const Result r = socket.Open(address.host, address.port, timeout_ms); r != Result::kOk) {
      Fail(r == Result::kTimeout ? texts::kConnectTimeout : texts::kConnectFailed);
      return FromResult(r);
    }
    std::string status;
    Reply reply = Command("", status);
    if (reply == Reply::kErr) {
      Drop(reply);
      Fail(texts::kServerRejected);
      return Reply::kFailed;  // a busy server may take the next attempt
    }
    if (reply == Reply::kOk) reply = Command("USER " + user, status);
    if (reply == Reply::kOk) reply = Command("PASS " + password, status);
    FailLogin(reply);
    return reply;
  }

  void FailLogin(Reply reply) {
    switch (reply) {
      case Reply::kOk: error.clear(); break;
      case Reply::kErr: Drop(reply); Fail(texts::kLoginRefused); break;
      case Reply::kTimeout: Fail(texts::kConnectTimeout); break;
      case Reply::kClosed: Fail(texts::kServerClosed); break;
      default: Fail(texts::kBadReply); break;
    }
  }

  bool FetchIdListing() {
    id_listing_tried = true;
    std::string status, body;
    Reply reply = Command("UIDL", status);
    if (reply != Reply::kOk) return reply == Reply::kErr;  // -ERR: ask one by one
    reply = WithProgress(kStageIdList, 0, [&] { return ReadBody(body); });
    if (reply != Reply::kOk) return false;
    std::map<int64_t, std::string> listing;
    const bool parsed = ParseListing(body, [&](int64_t n, std::string_view id) {
      listing.emplace(n, std::string(id));
      return true;
    });
    if (parsed) id_listing = std::move(listing);
    return true;
  }

  bool AskId(int64_t number, std::string& id) {
    std::string status;
    if (Command("UIDL " + std::to_string(number), status) != Reply::kOk) return false;
    const std::vector<std::string_view> words = Words(status);
    if (words.size() < 3) return false;
    id = std::string(words[2]);
    return true;
  }
};

Pop3Client::Pop3Client() : session_(std::make_unique<Session>()) {}
Pop3Client::~Pop3Client() = default;

bool Pop3Client::IsConnected() const { return session_->socket.is_open(); }
const std::string& Pop3Client::LastError() const { return session_->error; }
void Pop3Client::SetProgress(ProgressFunction progress) { session_->progress = std::move(progress); }

void Pop3Client::Close() { session_->Drop(Reply::kClosed); }

bool Pop3Client::Connect(const std::string& server, int default_port, const std::string& user,
                         const std::string& password, int timeout_ms, int attempts) {
  Session& s = *session_;
  Close();
  s.error.clear();
  s.timeout_ms = timeout_ms;
  ServerAddress address;
  if (!ParseServerText(server, default_port, address)) {
    s.Fail(texts::kBadAddress);
    return false;
  }
  // A line break would let the text smuggle further commands onto the wire.
  if (HasLineBreak(user) || HasLineBreak(password)) {
    s.Fail(texts::kBadCredentials);
    return false;
  }
  for (int attempt = 0; attempt < std::max(attempts, 1); ++attempt) {
    const Reply reply = s.Login(address, user, password);
    if (reply == Reply::kOk) return true;
    s.Drop(reply);
    if (reply == Reply::kErr) break;
  }
  return false;
}

bool Pop3Client::Stat(int64_t& count, int64_t& total_bytes) {
  Session& s = *session_;
  count = total_bytes = 0;
  s.error.clear();
  if (!IsConnected()) {
    s.Fail(texts::kNotConnected);
    return false;
  }
  std::string status;
  const Reply reply = s.Command("STAT", status);
  if (reply == Reply::kErr || reply == Reply::kGarbage) {
    s.Fail(texts::kStatRefused);
    return false;
  }
  if (reply != Reply::kOk) {
    s.Fail(texts::kStatOther);
    return false;
  }
  const std::vector<std::string_view> words = Words(status);
  int64_t n = 0, bytes = 0;
  if (words.size() < 3 || !ParseNumber(words[1], n) || !ParseNumber(words[2], bytes) || n > kMaxMessages) {
    s.Fail(texts::kStatRefused);
    return false;
  }
  count = n;
  total_bytes = bytes;
  return true;
}

bool Pop3Client::ListSizes(int64_t count, std::vector<int64_t>& sizes) {
  Session& s = *session_;
  sizes.clear();
  s.error.clear();
  std::string status, body;
  if (!IsConnected() || count < 0 || count > kMaxMessages) {
    s.Fail(texts::kListOther);
    return false;
  }
  Reply reply = s.Command("LIST", status);
  if (reply == Reply::kErr) {
    s.Fail(texts::kNoSuchMail);
    return false;
  }
  if (reply == Reply::kOk) reply = s.WithProgress(kStageSizeList, 0, [&] { return s.ReadBody(body); });
  std::vector<int64_t> listed(static_cast<size_t>(count), 0);
  const bool parsed = reply == Reply::kOk && ParseListing(body, [&](int64_t n, std::string_view size) {
                        int64_t value = 0;
                        if (!ParseNumber(size, value)) return false;
                        if (n >= 1 && n <= count) listed[static_cast<size_t>(n - 1)] = value;
                        return true;
                      });
  if (!parsed) {
    s.Fail(texts::kListOther);
    return false;
  }
  sizes = std::move(listed);
  return true;
}

bool Pop3Client::UniqueId(int64_t message_number, std::string& id) {
  Session& s = *session_;
  id.clear();
  s.error.clear();
  if (!IsConnected()) {
    s.Fail(texts::kNotConnected);
    return false;
  }
  if (!s.id_listing_tried && !s.FetchIdListing()) {
    s.Fail(texts::kIdFailed);
    return false;
  }
  if (const auto found = s.id_listing.find(message_number); found != s.id_listing.end()) {
    id = found->second;
    return true;
  }
  if (!s.AskId(message_number, id)) {
    id.clear();
    s.Fail(texts::kIdFailed);
    return false;
  }
  return true;
}

bool Pop3Client::Retrieve(int64_t message_number, std::string& raw) {
  Session& s = *session_;
  raw.clear();
  s.error.clear();
  if (!IsConnected()) {
    s.Fail(texts::kNotConnected);
    return false;
  }
  std::string status;
  const Reply reply = s.WithProgress(kStageMessage, message_number, [&] {
    Reply r = s.Command("RETR " + std::to_string(message_number), status);
    return r == Reply::kOk ? s.ReadBody(raw) : r;
  });
  if (reply == Reply::kOk) return true;
  raw.clear();
  switch (reply) {
    case Reply::kTimeout: s.Fail(texts::kRetrieveTimeout); break;
    case Reply::kClosed: s.Fail(texts::kRetrieveClosed); break;
    case Reply::kTooLong: s.Fail(texts::kLineTooLong); break;
    case Reply::kStopped: s.Fail(texts::kCancelled); break;
    default: s.Fail(texts::kRetrieveFailed); break;
  }
  return false;
}

void Pop3Client::Quit() {
  Session& s = *session_;
  if (!IsConnected()) return;
  std::string status;
  s.Command("QUIT", status);
  Close();
}

}  // namespace vostrel::pop3
