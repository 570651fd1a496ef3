#pragma once
// Routes a standard stream through terminalSafeText, line by line, so that nothing the tool
// prints about a record can drive the terminal. Records written to standard output as data
// (convert to "-") do not go through it.
#include <ostream>
#include <streambuf>
#include <string>

namespace kelmaz::cli {

class TerminalStream : public std::streambuf {
  public:
    // Filters `stream` until this object goes, then gives it back its own buffer.
    explicit TerminalStream(std::ostream& stream);
    ~TerminalStream() override;
    TerminalStream(const TerminalStream&) = delete;
    TerminalStream& operator=(const TerminalStream&) = delete;

  protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    bool flushLine();  // false when the stream could not take it

    std::ostream& stream_;
    std::streambuf* target_;
    std::string line_;  // bytes since the last line end (a UTF-8 sequence never holds one)
};

}  // namespace kelmaz::cli
