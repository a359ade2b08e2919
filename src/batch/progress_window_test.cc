#include "batch/progress_window.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(FormatDuration, WritesHoursMinutesSecondsAndDays) {
  struct Case {
    int64_t ms;
    const char* text;
  };
  const Case cases[] = {
      {0, "00:00:00"},
      {999, "00:00:00"},
      {1000, "00:00:01"},
      {59999, "00:00:59"},
      {60000, "00:01:00"},
      {(3600 + 120 + 3) * 1000LL, "01:02:03"},
      {(24 * 3600 - 1) * 1000LL, "23:59:59"},
      {(86400 + 3600 + 60 + 1) * 1000LL, "1d:01:01:01"},
      {(12 * 86400LL) * 1000, "12d:00:00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDuration(c.ms), c.text) << c.ms;
}

TEST(Shorten, KeepsBothEndsAroundThreeDots) {
  const QString path = QString(50, QLatin1Char('a')) + QString(50, QLatin1Char('b'));
  const QString shown = Shorten(path, 280 / 7);
  EXPECT_EQ(shown.size(), 39);
  EXPECT_EQ(shown, QString(18, QLatin1Char('a')) + "..." + QString(18, QLatin1Char('b')));

  EXPECT_EQ(Shorten("short", 40), "short");
  EXPECT_EQ(Shorten(QString(40, QLatin1Char('x')), 40), QString(40, QLatin1Char('x')));
  EXPECT_EQ(Shorten("", 3), "");
  // Characters outside the first plane count once and are never split.
  const QString wide = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(10);
  EXPECT_EQ(Shorten(wide, 9), QString::fromUtf8("\xF0\x9F\x98\x80").repeated(3) + "..." +
                                  QString::fromUtf8("\xF0\x9F\x98\x80").repeated(3));
}

}  // namespace
}  // namespace rondix
