#pragma once
// What a modal window closes with, as one scoped vocabulary: a wizard page closes with
// Next, Cancel or Back; the message dialog answers with the result of the button that
// closed it. None keeps a window open. The values are those the pages and the dialog's
// buttons give, so the same number has more than one name (a page's Back and the
// dialog's Retry are both 4): compare with the name of what you asked for.
#include <cstdint>

namespace corvan {

enum class TModalResult : std::int32_t {
  None = 0,
  // A wizard page.
  Next = 1,
  Cancel = 2,
  Back = 4,
  // The message dialog's buttons ("&Renunt" and "I&esire" give Cancel).
  Ok = 1,
  Abort = 3,
  Retry = 4,
  Ignore = 5,
  Yes = 6,
  No = 7,
  All = 12,
};

}  // namespace corvan
