// Builds a working database from SQL scripts:
//   levmkdb [--if-missing] <database file> <script.sql>...
// With --if-missing an existing file is left as it is.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "db/Connection.h"

int main(int argc, char** argv) {
  int arg = 1;
  bool ifMissing = false;
  if (arg < argc && std::string(argv[arg]) == "--if-missing") {
    ifMissing = true;
    ++arg;
  }
  if (argc - arg < 2) {
    std::cerr << "usage: levmkdb [--if-missing] <database file> <script.sql>...\n";
    return 2;
  }
  const std::filesystem::path target = argv[arg++];
  if (std::filesystem::exists(target)) {
    if (ifMissing) return 0;
    std::cerr << "levmkdb: " << target << " exists already\n";
    return 1;
  }
  const std::filesystem::path partial = target.string() + ".partial";
  std::filesystem::remove(partial);
  try {
    db::Connection conn;
    conn.Open(db::Connection::ConnectionStringFor(partial.string()), true);
    db::Transaction trans(conn);
    for (; arg < argc; ++arg) {
      std::ifstream in(argv[arg]);
      if (!in) throw std::runtime_error(std::string("cannot read ") + argv[arg]);
      std::stringstream text;
      text << in.rdbuf();
      conn.ExecuteScript(text.str());
    }
    trans.Commit();
    conn.Close();
    std::filesystem::rename(partial, target);
  } catch (const std::exception& e) {
    std::filesystem::remove(partial);
    std::cerr << "levmkdb: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
