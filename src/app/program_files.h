// Where the program finds the files it ships (the help collection, any
// translations of its own): beside itself when it runs from the build folder,
// else in the data folder of the prefix it was installed into.
#pragma once

#include <string>

namespace quilmark {

// The data folder of a program installed at `programPath`, with its trailing
// separator ("/usr/bin/quilmark" gives "/usr/share/quilmark/"). Found from
// the program's own place, so a prefix can be moved whole.
std::string InstalledDataFolder(const std::string& programPath);

// `name` beside the program when a file is there, else in its installed data
// folder when a file is there; the path beside the program when neither has
// it.
std::string ProgramFile(const std::string& programPath, const std::string& name);

}  // namespace quilmark
