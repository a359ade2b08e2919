// PreferencesFile: the group-and-key text file behind config.ini and the command-line
// profile files.
//
// Written form: UTF-8 with a byte-order mark followed by an empty line, CR LF line ends,
// "[Group]" headers, "Key = value" lines and "; comment" lines. The reader is lenient:
// without the mark every byte is taken as ISO 8859-1; lines end at CR, LF or both; empty
// lines and leading blanks are skipped; group and key names ignore ASCII case; only the
// first section of a group and the first occurrence of a key in it count.
//
// Saving never damages the file on disk: Close() writes a temporary file beside the target
// and renames it over the target, so a failed save leaves the previous file as it was.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

class PreferencesFile {
 public:
  PreferencesFile() = default;
  ~PreferencesFile();  // drops unsaved changes; Close() is what writes
  PreferencesFile(const PreferencesFile&) = delete;
  PreferencesFile& operator=(const PreferencesFile&) = delete;

  // Loads and parses the whole file. False when it does not exist or cannot be read.
  bool OpenForReading(const std::string& path);
  // Starts an empty model that Close() writes to `path`. The existing file is left alone
  // until then; false when no file can be created in the target folder.
  bool CreateForWriting(const std::string& path);

  // Makes the first section named `name` current; a missing group becomes pending and its
  // header is added on the first write. An empty name selects the lines before any header.
  void SelectGroup(std::string_view name);

  // Values of the current section; `fallback` when the key is absent.
  int32_t ReadInteger(std::string_view key, int32_t fallback) const;
  std::string ReadText(std::string_view key, std::string_view fallback) const;
  float ReadFloat(std::string_view key, float fallback) const;

  // Replace the key's value in place, or append the key at the end of the current section.
  void WriteInteger(std::string_view key, int32_t value);
  void WriteText(std::string_view key, std::string_view value);
  void WriteFloat(std::string_view key, float value);
  // Inserts a comment line after the line written last.
  void WriteComment(std::string_view text);

  // Iterates over the key lines of the current section in file order:
  // ExamineKeys(); while (NextKey()) use KeyName(), KeyValue().
  void ExamineKeys();
  bool NextKey();
  std::string KeyName() const;
  std::string KeyValue() const;  // trimmed of blanks and tabs

  // Writes the file when it was created or changed, then forgets it. True when nothing
  // needed writing or the write succeeded.
  bool Close();

  // The file's bytes as Close() would write them.
  std::string Serialize() const;
  // Replaces the model with the parsed bytes (no file involved).
  void Parse(std::string_view bytes);

 private:
  enum class LineKind : uint8_t { Group, Comment, Key };
  struct Line {
    LineKind kind;
    std::string name;   // group name, comment text or key name
    std::string value;  // key lines only
  };

  void Reset();
  // [begin, end) of the current section's lines; empty while a group is pending.
  std::pair<size_t, size_t> SectionRange() const;
  const Line* FindKey(std::string_view key) const;
  void CreatePendingGroup();
  void WriteValue(std::string_view key, std::string value);
  void InsertLine(size_t at, Line line);

  std::vector<Line> lines_;
  std::optional<size_t> group_;           // header line of the current group; none: preamble
  std::optional<std::string> pending_;    // selected group that has no header yet
  std::optional<size_t> position_;        // line after which a comment goes; none: at start
  std::optional<size_t> key_;             // key line that NextKey() reached
  size_t nextKey_ = 0;                    // where NextKey() looks next
  std::string path_;
  bool open_ = false;
  bool created_ = false;
  bool writable_ = false;
  bool modified_ = false;
};

// Value encodings shared with other readers of these files.
// Leading optional sign and decimal digits; 0 without digits. Numbers beyond the 32-bit
// range saturate at INT32_MIN / INT32_MAX.
int32_t ParseIntegerValue(std::string_view text);
// Decimal number with a point; "+Infinity", "-Infinity" and "NaN" in any case; 0 otherwise.
float ParseFloatValue(std::string_view text);
// "%f" (six decimals, always a point), "+Infinity", "-Infinity" or "NaN".
std::string FormatFloatValue(float value);

}  // namespace rondix
