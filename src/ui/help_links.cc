#include "ui/help_links.h"

#include "core/web_links.h"

namespace rondix {

void OpenManual(const OpenTarget& open) {
  if (open) open(std::string(kManualFileName));
}

void SendFeedback(const OpenTarget& open) {
  if (open) open(FeedbackMailLink());
}

void VisitHomepage(const OpenTarget& open) {
  if (open) open(HomePageAddress());
}

}  // namespace rondix
