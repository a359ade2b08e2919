// The Help menu's links: the manual, a feedback mail and the home page, each handed to the
// desktop's default handler.
#pragma once
#include <functional>
#include <string>

namespace rondix {

using OpenTarget = std::function<void(const std::string& target)>;

// "rondix.chm" by its bare name, so relative to the working folder.
void OpenManual(const OpenTarget& open);
void SendFeedback(const OpenTarget& open);
void VisitHomepage(const OpenTarget& open);

}  // namespace rondix
