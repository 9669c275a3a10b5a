#pragma once

#include <array>

namespace quorel::qt {

// The program takes no command-line options, yet Qt reads options of its own from the command
// line it is handed (-reverse mirrors the windows, -stylesheet reads a file, -qwindowtitle
// renames them). So Qt gets the program's name alone. The object must outlive the application.
class ProgramArguments final {
  public:
    ProgramArguments(int argc, char *argv[]);
    ProgramArguments(const ProgramArguments &) = delete;
    ProgramArguments &operator=(const ProgramArguments &) = delete;

    int &count() { return m_count; }
    char **values() { return m_values.data(); }

  private:
    int m_count = 1;
    std::array<char *, 2> m_values{};
};

} // namespace quorel::qt
