#include "platform/data/FDConnection.h"
#include "platform/data/FDDataSet.h"
#include "platform/classes/Threads.h"
#include "platform/rtl/Exceptions.h"
#include <windows.h>
#include <algorithm>
#include <atomic>

String QuotedSQL(const String& value) {
  String s = u"'";
  s.reserve(value.size() + 2);
  for (char16_t c : value) {
    if (c == u'\'') s += u'\'';
    s += c;
  }
  return s + u"'";
}

// ---------------------------------------------------------------- wait cursor

namespace {
// Wait-cursor components may come and go on any thread; the depth is each
// thread's own, and only the main thread's work changes the cursor.
std::atomic<int> WaitCursors{0};
thread_local int BusyDepth = 0;

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

bool SameTextAscii(const String& a, const char16_t* b) {
  const String other(b);
  if (a.size() != other.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = other[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}
}  // namespace

std::function<void(bool Busy)> TFDGUIxWaitCursor::BusyChanged;

TFDGUIxWaitCursor::TFDGUIxWaitCursor(TComponent* AOwner) : TComponent(AOwner) { ++WaitCursors; }

TFDGUIxWaitCursor::~TFDGUIxWaitCursor() { --WaitCursors; }

TFDGUIxWaitCursor::TBusy::TBusy() {
  if (BusyDepth++ == 0 && OnMainThread() && WaitCursors.load() > 0 && BusyChanged) {
    FShown = true;
    BusyChanged(true);
  }
}

TFDGUIxWaitCursor::TBusy::~TBusy() {
  --BusyDepth;
  if (FShown && BusyChanged) BusyChanged(false);
}

// ---------------------------------------------------------------- connection

TFDConnection::TFDConnection(TComponent* AOwner) : TComponent(AOwner) {
  FSession.OnConnectionLost = [this] {
    // The server rolled the transaction back with the connection: say so
    // once, with the client's own error, and start the next one afresh.
    if (!FInTransaction) return true;
    FInTransaction = false;
    return false;
  };
}

TFDConnection::~TFDConnection() {
  BeginDestroy();
  for (TFDDataSet* ds : std::vector<TFDDataSet*>(FDataSets)) {
    ds->Close();
    ds->FConnection = nullptr;
  }
  FDataSets.clear();
  FSession.Disconnect();
}

void TFDConnection::SetConnected(bool value) {
  if (value) Open();
  else Close();
}

void TFDConnection::Open() {
  if (FSession.Connected()) return;
  const String driver = FParams.Values(u"DriverID");
  if (!driver.empty() && !SameTextAscii(driver, u"MySQL"))
    throw EDatabaseError(u"Driver " + driver + u" is not supported; use DriverID=MySQL");
  TMySqlParams p;
  p.Host = StringToUtf8(FParams.Values(u"Server"));
  p.User = StringToUtf8(FParams.Values(u"User_Name"));
  p.Password = StringToUtf8(FParams.Values(u"Password"));
  p.Database = StringToUtf8(FParams.Values(u"Database"));
  const String port = FParams.Values(u"Port");
  if (!port.empty()) {
    try {
      p.Port = static_cast<unsigned>(std::stoul(StringToUtf8(port)));
    } catch (const std::exception&) {
      throw EDatabaseError(u"Invalid port: " + port);
    }
  }
  FInTransaction = false;
  TFDGUIxWaitCursor::TBusy busy;
  FSession.Connect(p);
}

void TFDConnection::Close() {
  for (TFDDataSet* ds : std::vector<TFDDataSet*>(FDataSets)) ds->Close();
  FInTransaction = false;
  FSession.Disconnect();
}

TMySqlSession& TFDConnection::Session() {
  if (!FSession.Connected()) {
    if (FInTransaction) {
      // Never go on silently outside the transaction the program started.
      FInTransaction = false;
      throw EDatabaseError(u"The connection was lost during the transaction", 2013);
    }
    Open();
  }
  return FSession;
}

void TFDConnection::StartTransaction() {
  if (InTransaction()) throw EDatabaseError(u"A transaction is already active");
  TFDGUIxWaitCursor::TBusy busy;
  Session().Execute("START TRANSACTION");
  FInTransaction = true;
}

void TFDConnection::Commit() {
  if (!FInTransaction) return;
  TFDGUIxWaitCursor::TBusy busy;
  TMySqlSession& session = Session();
  // Still inside the transaction while COMMIT runs, so a lost COMMIT is
  // never repeated on a new session, where it would commit nothing.
  struct TEnd {
    bool& InTransaction;
    ~TEnd() { InTransaction = false; }
  } end{FInTransaction};
  session.Execute("COMMIT");
}

void TFDConnection::Rollback() {
  if (!FInTransaction) return;
  FInTransaction = false;
  if (!FSession.Connected()) return;
  TFDGUIxWaitCursor::TBusy busy;
  FSession.Execute("ROLLBACK");
}

int64_t TFDConnection::ExecSQL(const String& sql) {
  TFDGUIxWaitCursor::TBusy busy;
  TMySqlSession& session = Session();
  session.Execute(StringToUtf8(sql));
  return session.RowsAffected();
}

void TFDConnection::RegisterDataSet(TFDDataSet* dataSet) {
  if (std::find(FDataSets.begin(), FDataSets.end(), dataSet) == FDataSets.end())
    FDataSets.push_back(dataSet);
}

void TFDConnection::UnregisterDataSet(TFDDataSet* dataSet) {
  FDataSets.erase(std::remove(FDataSets.begin(), FDataSets.end(), dataSet), FDataSets.end());
}
