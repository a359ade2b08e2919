// Opening a file, web address or mail link with the desktop's default handler.
#pragma once
#include <string>

namespace rondix {

// Starts `xdg-open target` and returns without waiting for it. False when the target is
// empty or the handler could not be started; what the handler does later is not known.
bool OpenExternal(const std::string& target);

// The same with another opener program (looked up in PATH when it has no "/").
bool OpenExternalWith(const std::string& program, const std::string& target);

}  // namespace rondix
