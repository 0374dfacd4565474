#pragma once
#include <string>

namespace lumora {

enum class BoxKind { Information, Warning, Error, Confirm };
enum class BoxButtons { Ok, OkCancel, YesNo };  // with Yes and No, No is the default

// The modal message boxes of the application, each kind with its caption and icon.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // True when the user chose OK or Yes.
  virtual bool Show(BoxKind kind, const std::string& text, BoxButtons buttons) = 0;
  // The application's default error report: the text, the application title as caption, one OK button.
  virtual void ShowErrorReport(const std::string& text) = 0;
};

// What the default error report shows for an error text: a full stop is added when the last character
// sorts after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace lumora
