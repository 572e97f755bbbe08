#pragma once
// SQL functions that every connection offers beyond SQLite's own:
//   hex8(n)                   eight upper-case hexadecimal digits of the 32
//                             bits of n (a certificate number); Null stays Null
//   cdscode(district, school) the agency code text "ddddd sssssss"
//   decsum(x)                 an exact decimal sum (aggregate), as text

struct sqlite3;

namespace db {

void RegisterSqlFunctions(sqlite3* db);

}  // namespace db
