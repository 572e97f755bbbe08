#pragma once
// The program's FTP client: connects to a server (passive, binary), changes
// the server folder, sends one local file in blocks of 100,000 bytes while
// it reports progress through Status, fetches one file, and keeps the text
// of the last failure. The upload dialog makes a new client for each
// operation: one fetches the upload-password component, another sends the
// certified-data file.
//
// The client shows and reports nothing itself. Each operation answers true
// or false; after false the caller reads LastError, which keeps the last
// failure until another replaces it (a success never clears it). Only
// SendFile traps run-time failures; in the other operations they pass to
// the caller.
//
// Failure texts read "<number>: <text>": libcurl's code and its text, or
// 12003 when the server refused the request (a 4xx or 5xx reply), with a
// carriage return and the server's reply line after the text.
//
// A file is never left half sent under its own name: SendFile refuses a
// name that the server already holds ("<name> already exists on the
// server"), stores the file as "part-<name>" and renames it when it is
// whole; a failed or cancelled send deletes the part while the connection
// allows.
//
// The operations block; the upload dialog runs them on a worker thread,
// where Status is raised too. Cancel may be called from any thread.

#include <cstdint>
#include <functional>
#include <string>

#include "net/FtpSession.h"

class clsFTP {
 public:
  // The account and the server, set before Connect.
  std::string Username;
  std::string Password;
  std::string Server;
  std::int32_t Port = 0;

  // The Status event: "Connected to <server>", "Current Directory:
  // <folder>", "Bytes Transferred: <count>" after each whole block sent,
  // "Transfer Complete: <count> Bytes Total".
  std::function<void(std::string&)> Status;

  // Connects to Server at Port and logs in (a connection held before is
  // closed first).
  bool Connect();
  // Logs out and closes the connection.
  void Disconnect();
  // Makes the folder the current server folder.
  bool SetDirectory(std::string& folder);
  // Sends the local file under the remote name; an empty remote name
  // becomes the source path's part after its last "/", handed back.
  bool SendFile(std::string source, std::string& remoteName);
  // The last recorded failure.
  const std::string& LastError() const { return lastError_; }
  // Copies the server file (in the current folder) to the local path,
  // replacing a file there: it is written beside it first and renamed over
  // it once whole.
  bool GetFile(std::string remoteName, std::string localPath);

  // Stops the operation under way: it fails with "Transfer cancelled by the
  // user".
  void Cancel() { session_.Cancel(); }

  // The failure number of a refusal by the server.
  static constexpr long kServerRefused = 12003;

 private:
  // The failure text of a number: libcurl's codes, or kServerRefused.
  std::string ErrorText(long number) const;
  // Records the session's last failure.
  void RecordFailure();
  void RaiseStatus(std::string text);
  // After a failed or cancelled send: deletes the part on the server while
  // the connection allows, keeping the failure recorded.
  void DropPart(const std::string& part);

  net::FtpSession session_;
  std::string lastError_;
};
