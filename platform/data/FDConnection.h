#pragma once
// The database connection and its companions, named as the data module
// places them: the connection with its Name=Value parameters, the MySQL
// driver link and the wait cursor.
#include "platform/classes/Component.h"
#include "platform/classes/Strings.h"
#include "platform/data/MySqlClient.h"
#include <functional>
#include <memory>
#include <vector>

class TFDDataSet;

// A value as an SQL text literal: enclosed in single quotes, inner single
// quotes doubled. Safe because every connection runs with
// NO_BACKSLASH_ESCAPES.
String QuotedSQL(const String& value);

class TFDConnection : public TComponent {
public:
  explicit TFDConnection(TComponent* AOwner);
  ~TFDConnection() override;

  // Server, User_Name, Password, Database, Port, DriverID (MySQL).
  TStringList& Params() { return FParams; }
  bool LoginPrompt() const { return FLoginPrompt; }
  void SetLoginPrompt(bool value) { FLoginPrompt = value; }

  bool Connected() const { return FSession.Connected(); }
  void SetConnected(bool value);
  // Failures raise EDatabaseError with the server's message and number.
  void Open();
  // Closes the data sets of this connection, then disconnects.
  void Close();

  void StartTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const { return FInTransaction && FSession.Connected(); }

  // Runs one statement without rows; returns the rows affected.
  int64_t ExecSQL(const String& sql);

  // For the data sets: the session, connected on first use.
  TMySqlSession& Session();
  void RegisterDataSet(TFDDataSet* dataSet);
  void UnregisterDataSet(TFDDataSet* dataSet);

private:
  TStringList FParams;
  bool FLoginPrompt = true;
  bool FInTransaction = false;
  TMySqlSession FSession;
  std::vector<TFDDataSet*> FDataSets;
};

// Names the client library; the Linux build links it, so the path is kept
// only for the program's own use.
class TFDPhysMySQLDriverLink : public TComponent {
public:
  using TComponent::TComponent;
  const String& VendorLib() const { return FVendorLib; }
  void SetVendorLib(const String& value) { FVendorLib = value; }

private:
  String FVendorLib;
};

// While one exists, database work on the main thread is bracketed by
// BusyChanged(true/false), which the UI layer points at the hourglass
// cursor; work on other threads leaves the cursor alone.
class TFDGUIxWaitCursor : public TComponent {
public:
  explicit TFDGUIxWaitCursor(TComponent* AOwner);
  ~TFDGUIxWaitCursor() override;
  static std::function<void(bool Busy)> BusyChanged;
  // Brackets one piece of database work.
  class TBusy {
  public:
    TBusy();
    ~TBusy();
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

  private:
    bool FShown = false;
  };
};
