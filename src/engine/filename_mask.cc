#include "engine/filename_mask.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/text.h"
#include "platform/clock.h"

namespace rondix {
namespace {

const MaskToken* FindMaskToken(std::string_view token) {
  for (const MaskToken& t : kMaskTokens) {
    if (EqualsNoCase(t.token, token)) return &t;
  }
  return nullptr;
}

// Length of the valid UTF-8 character at s[i] and its code point; 0 when the bytes there
// are not one (file names on Linux may hold any bytes).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& code) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t lead = byte(i);
  size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Upper or lower case by character, not only for ASCII letters: "Été" in upper case is
// "ÉTÉ". Bytes that are not valid UTF-8 pass unchanged. Without a UTF-8 locale only ASCII
// letters change.
std::string ChangeCase(std::string_view s, bool upper) {
  static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  if (utf8 == locale_t{}) return upper ? AsciiUpper(s) : AsciiLower(s);
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t code = 0;
    const size_t length = DecodeUtf8(s, i, code);
    if (length == 0) {
      out += s[i++];
      continue;
    }
    const wint_t mapped = upper ? towupper_l(static_cast<wint_t>(code), utf8)
                                : towlower_l(static_cast<wint_t>(code), utf8);
    AppendUtf8(out, static_cast<char32_t>(mapped));
    i += length;
  }
  return out;
}

std::string Upper(std::string_view s) { return ChangeCase(s, true); }
std::string Lower(std::string_view s) { return ChangeCase(s, false); }

// First character upper, the rest lower.
std::string TitleCase(std::string_view s) {
  if (s.empty()) return {};
  char32_t code = 0;
  const size_t first = std::max<size_t>(DecodeUtf8(s, 0, code), 1);
  return Upper(s.substr(0, first)) + Lower(s.substr(first));
}

// Right-aligned in five characters padded with "0"; longer values keep their first five.
std::string FiveDigits(int32_t value) {
  std::string digits = std::to_string(value);
  if (digits.size() > 5) return digits.substr(0, 5);
  return std::string(5 - digits.size(), '0') + digits;
}

std::string TwoDigits(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", value);
  return buf;
}

// Local seconds count as if they were UTC, so gmtime gives the local fields.
std::tm LocalParts(const LocalClock& now) {
  const std::time_t t = static_cast<std::time_t>(now ? now() : LocalNowSeconds());
  std::tm parts{};
  gmtime_r(&t, &parts);
  return parts;
}

std::string TokenValue(MaskValue value, const ProjectState& state, const LocalClock& now) {
  switch (value) {
    case MaskValue::FileName:
      return BaseName(state.currentInputPath);
    case MaskValue::FileNameUpper:
      return Upper(BaseName(state.currentInputPath));
    case MaskValue::FileNameLower:
      return Lower(BaseName(state.currentInputPath));
    case MaskValue::FileNameTitle:
      return TitleCase(BaseName(state.currentInputPath));
    case MaskValue::Ext:
      return state.outputExtension;
    case MaskValue::ExtUpper:
      return Upper(state.outputExtension);
    case MaskValue::ExtTitle:
      return TitleCase(state.outputExtension);
    case MaskValue::Year: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%04d", LocalParts(now).tm_year + 1900);
      return buf;
    }
    case MaskValue::Month:
      return TwoDigits(LocalParts(now).tm_mon + 1);
    case MaskValue::Day:
      return TwoDigits(LocalParts(now).tm_mday);
    case MaskValue::Hour:
      return TwoDigits(LocalParts(now).tm_hour);
    case MaskValue::Minute:
      return TwoDigits(LocalParts(now).tm_min);
    case MaskValue::Second:
      return TwoDigits(LocalParts(now).tm_sec);
    case MaskValue::Bpp:
      return std::to_string(state.targetBitsPerPixel);
    case MaskValue::Width:
      return std::to_string(state.finalWidth);
    case MaskValue::Height:
      return std::to_string(state.finalHeight);
    case MaskValue::Random:
      return FiveDigits(state.randomValue);
    case MaskValue::Counter:
      return FiveDigits(state.fileCounter);
  }
  return {};
}

LocalClock ClockFor(const SettingsStore& settings, const LocalClock& now) {
  if (now) return now;
  if (settings.environment.now) {
    return [f = settings.environment.now] { return static_cast<int64_t>(f()); };
  }
  return {};
}

}  // namespace

std::string BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (!name.empty() && dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

std::string ReplaceMaskToken(std::string_view text, std::string_view token,
                             const ProjectState& state, const LocalClock& now) {
  const MaskToken* entry = FindMaskToken(token);
  if (entry == nullptr) return std::string(text);
  const std::string lowerText = AsciiLower(text);
  size_t at = lowerText.find(entry->token);
  if (at == std::string::npos) return std::string(text);

  const std::string value = TokenValue(entry->value, state, now);
  std::string out;
  size_t from = 0;
  while (at != std::string::npos) {
    out.append(text.substr(from, at - from)).append(value);
    from = at + entry->token.size();
    at = lowerText.find(entry->token, from);
  }
  out.append(text.substr(from));
  return out;
}

std::string ExpandFilenameMask(const SettingsStore& settings, const ProjectState& state,
                               const LocalClock& now) {
  const LocalClock clock = ClockFor(settings, now);
  std::string name = Lower(settings.Text("Advanced", "Filename Mask"));
  if (name.empty()) name = kDefaultFilenameMask;
  for (const MaskToken& t : kMaskTokens) {
    // Exact match: the mask is lower case, but values brought in keep their own case.
    if (name.find(t.token) != std::string::npos) {
      name = ReplaceMaskToken(name, t.token, state, clock);
    }
  }
  return name;
}

std::string ExpandWatermarkText(const SettingsStore& settings, const ProjectState& state,
                                const LocalClock& now) {
  const std::string& text = settings.Text("Watermark", "Text");
  const std::string lower = AsciiLower(text);
  if (std::count(lower.begin(), lower.end(), '%') < 2) return text;
  const LocalClock clock = ClockFor(settings, now);
  std::string out = text;
  for (const MaskToken& t : kMaskTokens) {
    if (lower.find(t.token) != std::string::npos) {
      out = ReplaceMaskToken(out, t.token, state, clock);
    }
  }
  return out;
}

}  // namespace rondix
