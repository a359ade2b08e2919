#include "storage/preferences_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

#include "core/text.h"

namespace rondix {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Every byte is one ISO 8859-1 character; the upper half needs two bytes in UTF-8.
std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return false;  // a folder lands here too (EISDIR)
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return true;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes go to the file a symbolic link points at, so the link itself survives the rename.
std::string ResolveTarget(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string target = resolved;
  free(resolved);
  return target;
}

// Creates a new, hidden temporary file beside `target`. Returns its descriptor or -1.
int CreateTempBeside(const std::string& target, std::string& tempPath) {
  std::string folder = FolderOf(target);
  size_t slash = target.rfind('/');
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kChars[random() % (sizeof kChars - 1)];
    tempPath = (folder == "/" ? "" : folder) + "/." + base + "." + suffix + ".tmp";
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// Writes `data` to a temporary file beside `target`, flushes it and renames it over the
// target. On any failure the temporary file is removed and the target is untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view data) {
  std::string target = ResolveTarget(path);
  std::string tempPath;
  int fd = CreateTempBeside(target, tempPath);
  if (fd < 0) return false;
  struct stat old {};
  if (stat(target.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, data) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(tempPath.c_str());
    return false;
  }
  int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);  // makes the rename itself durable; best effort
    close(folder);
  }
  return true;
}

}  // namespace

int32_t ParseIntegerValue(std::string_view text) {
  text = TrimBlanks(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) magnitude = limit;  // saturate; keeps the loop from overflowing
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

float ParseFloatValue(std::string_view text) {
  text = TrimBlanks(text);
  if (EqualsNoCase(text, "+Infinity")) return std::numeric_limits<float>::infinity();
  if (EqualsNoCase(text, "-Infinity")) return -std::numeric_limits<float>::infinity();
  if (EqualsNoCase(text, "NaN")) return std::numeric_limits<float>::quiet_NaN();
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  // Only a number may follow; from_chars alone would also take "inf" and "nan".
  if (text.empty() || !(text[0] == '.' || (text[0] >= '0' && text[0] <= '9'))) return 0;
  double value = 0;
  const std::errc error = std::from_chars(text.data(), text.data() + text.size(), value).ec;
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: the digits before any exponent tell which.
    value = text[0] != '0' && text[0] != '.' ? HUGE_VAL : 0.0;
    size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-') value = 0.0;
  } else if (error != std::errc()) {
    value = 0;
  }
  if (value > std::numeric_limits<float>::max()) value = HUGE_VAL;
  float result = static_cast<float>(value);
  return negative ? -result : result;
}

std::string FormatFloatValue(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "+Infinity" : "-Infinity";
  // to_chars, unlike printf, never uses the locale's decimal comma.
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 6);
  if (error != std::errc()) return "0.000000";
  return std::string(buffer, end);
}

PreferencesFile::~PreferencesFile() = default;

void PreferencesFile::Reset() {
  lines_.clear();
  group_.reset();
  pending_.reset();
  position_.reset();
  key_.reset();
  nextKey_ = 0;
  path_.clear();
  open_ = created_ = writable_ = modified_ = false;
}

void PreferencesFile::Parse(std::string_view bytes) {
  std::string text;
  if (bytes.size() > 2 && bytes.substr(0, 3) == kByteOrderMark) {
    text = bytes.substr(3);
  } else {
    text = Latin1ToUtf8(bytes);
  }
  lines_.clear();
  group_.reset();
  pending_.reset();
  position_.reset();
  key_.reset();
  nextKey_ = 0;

  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = std::string_view(text).substr(start, end - start);
    start = end + 1;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty()) continue;
    if (line.front() == ';') {
      line.remove_prefix(1);
      if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      lines_.push_back({LineKind::Comment, std::string(line), {}});
    } else if (line.front() == '[') {
      line.remove_prefix(1);
      lines_.push_back({LineKind::Group, std::string(line.substr(0, line.find(']'))), {}});
    } else {
      size_t equals = line.find('=');
      std::string_view name = line.substr(0, equals);
      std::string_view value = equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
      while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
      while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
      lines_.push_back({LineKind::Key, std::string(name), std::string(value)});
    }
  }
}

bool PreferencesFile::OpenForReading(const std::string& path) {
  Reset();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  Parse(bytes);
  path_ = path;
  open_ = true;
  writable_ = access(path.c_str(), W_OK) == 0;
  return true;
}

bool PreferencesFile::CreateForWriting(const std::string& path) {
  Reset();
  if (path.empty()) return false;
  std::string target = ResolveTarget(path);
  struct stat info {};
  if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
  // Prove that a file can be made in the target folder without touching the old file,
  // which is only replaced once the whole new text has been written.
  std::string probe;
  int fd = CreateTempBeside(target, probe);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  path_ = path;
  open_ = created_ = writable_ = true;
  return true;
}

void PreferencesFile::SelectGroup(std::string_view name) {
  key_.reset();
  nextKey_ = lines_.size();
  pending_.reset();
  if (name.empty()) {
    group_.reset();
    position_.reset();
    return;
  }
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Group && EqualsNoCase(lines_[i].name, name)) {
      group_ = i;
      position_ = i;
      return;
    }
  }
  pending_ = std::string(name);
}

std::pair<size_t, size_t> PreferencesFile::SectionRange() const {
  if (pending_) return {lines_.size(), lines_.size()};
  size_t begin = group_ ? *group_ + 1 : 0;
  size_t end = begin;
  while (end < lines_.size() && lines_[end].kind != LineKind::Group) ++end;
  return {begin, end};
}

const PreferencesFile::Line* PreferencesFile::FindKey(std::string_view key) const {
  auto [begin, end] = SectionRange();
  for (size_t i = begin; i < end; ++i) {
    if (lines_[i].kind == LineKind::Key && EqualsNoCase(lines_[i].name, key)) return &lines_[i];
  }
  return nullptr;
}

int32_t PreferencesFile::ReadInteger(std::string_view key, int32_t fallback) const {
  const Line* line = FindKey(key);
  return line ? ParseIntegerValue(line->value) : fallback;
}

std::string PreferencesFile::ReadText(std::string_view key, std::string_view fallback) const {
  const Line* line = FindKey(key);
  return std::string(line ? TrimBlanks(line->value) : fallback);
}

float PreferencesFile::ReadFloat(std::string_view key, float fallback) const {
  const Line* line = FindKey(key);
  return line ? ParseFloatValue(line->value) : fallback;
}

void PreferencesFile::InsertLine(size_t at, Line line) {
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  if (group_ && *group_ >= at) ++*group_;
  position_ = at;
  modified_ = true;
}

void PreferencesFile::CreatePendingGroup() {
  if (!pending_) return;
  std::string name = std::move(*pending_);
  pending_.reset();
  lines_.push_back({LineKind::Group, std::move(name), {}});
  group_ = lines_.size() - 1;
  position_ = group_;
  modified_ = true;
}

void PreferencesFile::WriteValue(std::string_view key, std::string value) {
  CreatePendingGroup();
  auto [begin, end] = SectionRange();
  for (size_t i = begin; i < end; ++i) {
    if (lines_[i].kind == LineKind::Key && EqualsNoCase(lines_[i].name, key)) {
      lines_[i].value = std::move(value);
      position_ = i;
      modified_ = true;
      return;
    }
  }
  InsertLine(end, {LineKind::Key, std::string(key), std::move(value)});
}

void PreferencesFile::WriteInteger(std::string_view key, int32_t value) {
  WriteValue(key, std::to_string(value));
}

void PreferencesFile::WriteText(std::string_view key, std::string_view value) {
  WriteValue(key, std::string(value));
}

void PreferencesFile::WriteFloat(std::string_view key, float value) {
  WriteValue(key, FormatFloatValue(value));
}

void PreferencesFile::WriteComment(std::string_view text) {
  CreatePendingGroup();
  InsertLine(position_ ? *position_ + 1 : 0, {LineKind::Comment, std::string(text), {}});
}

void PreferencesFile::ExamineKeys() {
  key_.reset();
  nextKey_ = SectionRange().first;
}

bool PreferencesFile::NextKey() {
  key_.reset();
  size_t end = SectionRange().second;
  while (nextKey_ < end) {
    size_t i = nextKey_++;
    if (lines_[i].kind == LineKind::Key) {
      key_ = i;
      return true;
    }
  }
  return false;
}

std::string PreferencesFile::KeyName() const { return key_ ? lines_[*key_].name : std::string(); }

std::string PreferencesFile::KeyValue() const {
  return key_ ? std::string(TrimBlanks(lines_[*key_].value)) : std::string();
}

std::string PreferencesFile::Serialize() const {
  std::string out(kByteOrderMark);
  out += kLineEnd;
  for (const Line& line : lines_) {
    switch (line.kind) {
      case LineKind::Group: out += "[" + line.name + "]"; break;
      case LineKind::Comment: out += "; " + line.name; break;
      case LineKind::Key: out += line.name + " = " + line.value; break;
    }
    out += kLineEnd;
  }
  return out;
}

bool PreferencesFile::Close() {
  bool ok = true;
  if (open_ && (created_ || modified_)) {
    ok = writable_ && ReplaceFileAtomically(path_, Serialize());
  }
  Reset();
  return ok;
}

}  // namespace rondix
