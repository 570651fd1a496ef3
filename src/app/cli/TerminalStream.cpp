#include "app/cli/TerminalStream.h"

#include "base/TerminalText.h"

namespace kelmaz::cli {

TerminalStream::TerminalStream(std::ostream& stream) : stream_(stream), target_(stream.rdbuf()) {
    stream_.rdbuf(this);
}

TerminalStream::~TerminalStream() {
    sync();
    stream_.rdbuf(target_);
}

TerminalStream::int_type TerminalStream::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    xsputn(&c, 1);
    return ch;
}

std::streamsize TerminalStream::xsputn(const char* s, std::streamsize n) {
    for (std::streamsize i = 0; i < n; ++i) {
        line_ += s[i];
        if (s[i] == '\n' && !flushLine()) return i;
    }
    return n;
}

int TerminalStream::sync() {
    if (!flushLine()) return -1;
    return target_->pubsync();
}

bool TerminalStream::flushLine() {
    const std::string safe = terminalSafeText(line_);
    line_.clear();
    const auto size = static_cast<std::streamsize>(safe.size());
    return target_->sputn(safe.data(), size) == size;
}

}  // namespace kelmaz::cli
