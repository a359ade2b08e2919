#include "engine/filename_mask.h"

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

// First character upper, the rest lower (ASCII only, so UTF-8 bytes pass unchanged).
std::string TitleCase(std::string_view s) {
  std::string out = AsciiLower(s);
  if (!out.empty()) out[0] = AsciiUpper(out.substr(0, 1))[0];
  return out;
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
      return AsciiUpper(BaseName(state.currentInputPath));
    case MaskValue::FileNameLower:
      return AsciiLower(BaseName(state.currentInputPath));
    case MaskValue::FileNameTitle:
      return TitleCase(BaseName(state.currentInputPath));
    case MaskValue::Ext:
      return state.outputExtension;
    case MaskValue::ExtUpper:
      return AsciiUpper(state.outputExtension);
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
  std::string name = AsciiLower(settings.Text("Advanced", "Filename Mask"));
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
