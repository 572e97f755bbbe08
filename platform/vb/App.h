#pragma once
// The application object: the program's title, version and folder.

#include <string>

namespace vb::App {

// "Levrona".
const std::string& Title();
int Major();     // 19
int Minor();     // 0
int Revision();  // 0
// The program folder, without a trailing "/": the folder of the running
// executable unless set (tests set it to a folder of their own).
const std::string& Path();
void SetPath(std::string path);

}  // namespace vb::App
