#pragma once
// What a page's form hands its host when it is submitted: the form's address, frame and
// method as the page wrote them, and the name=value pairs a browser would send, in the
// order of the form's controls.
#include <string>
#include <utility>
#include <vector>

namespace corvan {

struct HtmlFormSubmission {
  std::wstring action;  // the form's action attribute as written (empty: none)
  std::wstring target;  // the form's target attribute, else the page's <base target>
  std::wstring method;  // "get" or "post" (lower case; "get" when the form names none)
  std::vector<std::pair<std::wstring, std::wstring>> pairs;
};

}  // namespace corvan
