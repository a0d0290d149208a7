#pragma once
// A seam for tests that drive the program without a person. Tests queue
// actions that run when a modal form starts its loop, and answers for the
// message boxes the program shows; every box is logged with its caption,
// text and flags. With nothing queued the real behaviour runs: a modal
// form waits for its user and a message box is shown by the system.
#include "platform/rtl/String.h"
#include <windows.h>
#include <functional>
#include <vector>

class TCustomForm;

struct TMessageBoxRecord {
  String Text;
  String Caption;
  UINT Flags = 0;
  // The button that closed the box (IDOK, IDYES, ...).
  int Result = 0;
  // False when a queued answer stood in for the system's box.
  bool Shown = false;
};

namespace UiTestSeam {
// Runs action inside the next modal loop, once the form is on screen and
// holds the focus (brought to the front after a second without it, run
// anyway after two); it may set ModalResult, close the form or work its
// controls.
void QueueModalAction(std::function<void(TCustomForm& form)> action);
// The next message box returns answer without being shown.
void QueueMessageBoxAnswer(int answer);
// The next message box calls action, which returns the answer.
void QueueMessageBoxAction(std::function<int(const TMessageBoxRecord& box)> action);

// The next file dialog (TOpenDialog, TSaveDialog) is not shown: it ends as
// if the user chose fileName, or cancelled when fileName is empty.
void QueueFileDialogAnswer(const String& fileName);

int PendingModalActions();
int PendingMessageBoxAnswers();
// Every message box since the last ClearLog, answered or shown.
const std::vector<TMessageBoxRecord>& MessageBoxLog();
void ClearLog();
// Drops queued actions and answers, and the log.
void Reset();

// For the UI library: a modal loop of form is starting; a box is about to
// be shown (true with the answer when a queued one stands in for it), and
// the outcome to log.
void ModalLoopStarting(TCustomForm& form);
bool TakeMessageBoxAnswer(const TMessageBoxRecord& box, int& answer);
bool TakeFileDialogAnswer(String& fileName);
void LogMessageBox(const TMessageBoxRecord& box);
}  // namespace UiTestSeam
