#pragma once
// The seam through which the program talks to the user: message boxes,
// input, file and printer dialogs and the modal show of windows. The program
// installs the Qt implementation at start; tests install a scripted one that
// records every prompt and answers from a queue.

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace ui {

// Message box styles, combined by adding, with their classic values.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton1 = 0,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512,
  vbDefaultButton4 = 768,
  vbApplicationModal = 0,
  vbSystemModal = 4096,
  vbMsgBoxSetForeground = 0x10000,
  vbMsgBoxRight = 0x80000,
  vbMsgBoxTopmost = 0x40000,
};

// The answers, with their classic values.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The parts of a style value.
inline int ButtonsOf(int style) { return style & 0x7; }
inline int IconOf(int style) { return style & 0x70; }
inline int DefaultButtonOf(int style) { return (style & 0x300) >> 8; }  // 0 = first button
// The buttons of a style, left to right, as answer codes.
std::vector<int> ButtonAnswers(int style);
// The answer of the default button of a style (Abort for AbortRetryIgnore);
// a default button past the last one is the first.
int DefaultAnswer(int style);
// The answer of a box closed without a button: Cancel where the box has
// one, else No for Yes/No, else OK.
int CloseAnswer(int style);

struct FileDialogRequest {
  std::string title;
  std::string filter;      // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  std::string initialDir;
  std::string fileName;    // proposed name
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
  // nullopt when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
  // The chosen path, or nullopt when the user cancels.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  // The chosen printer's name, or nullopt when the user cancels.
  virtual std::optional<std::string> ChoosePrinter(const std::string& current) = 0;
  // The chosen folder (an existing one), or nullopt when the user cancels;
  // the request's filter and file name are not used.
  virtual std::optional<std::string> ChooseFolder(const FileDialogRequest& request) = 0;
  // Shows a window modally and answers its result code.
  virtual int ShowModal(QWidget& window) = 0;
};

// The installed implementation. Until one is installed, a console one
// writes each prompt to standard error and answers its default button.
Dialogs& dialogs();
// Installs an implementation (not owned) and answers the previous one;
// nullptr restores the console implementation.
Dialogs* SetDialogs(Dialogs* dialogs);

// MsgBox through the installed implementation, with the program title when
// no title is given.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});

}  // namespace ui
