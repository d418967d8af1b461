#include "app/start_guard.h"

#include <exception>
#include <ostream>

#include "platform/common/cp1252.h"

namespace lumenpoll {

int run_reporting_errors(const std::string& title, ErrorBox& box, std::ostream& log,
                         const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    const std::string text = error_box_text(error.what());
    // The log first: it stays when the box cannot be shown.
    log << cp1252_to_utf8(title) << ": " << cp1252_to_utf8(text) << std::endl;
    try {
      box.show(title, text);
    } catch (const std::exception& box_error) {
      log << cp1252_to_utf8(title) << ": " << cp1252_to_utf8(box_error.what()) << std::endl;
    }
    return 1;
  }
}

}  // namespace lumenpoll
