#pragma once

// The RTF reader's main loop: reads the tokens, keeps the group stack,
// decodes text in the current code page, skips the \uN fallbacks, sends
// every control word to the part of the reader that handles it, and
// returns what the file holds. It never fails: with malformed input it
// returns what it could read.
//
//   ReadResult content = RtfReaderParser(bytes).parse();

#include "textctl/rtf/rtfreadercontext.h"
#include "textctl/rtf/rtftokenizer.h"

namespace textctl::rtf {

class RtfReaderParser final {
public:
    explicit RtfReaderParser(QByteArrayView rtf);
    Q_DISABLE_COPY_MOVE(RtfReaderParser)

    ReadResult parse();

private:
    bool skipFallback(const RtfToken &token);
    void handleText(QByteArrayView bytes);
    void handleBinary(QByteArrayView bytes);
    void flushText();
    void handleSymbol(char symbol);
    void handleWord(const RtfToken &token);
    void dispatchWord(Word word, const RtfToken &token);
    void handleSpecialWord(Word word);
    void handleUnicode(int param);
    void openGroup(qsizetype offset);
    void closeGroup(qsizetype offset);
    void finish();

    ReaderContext m_ctx;
    RtfTokenizer m_tokens;
    QByteArray m_bytes;        // text bytes not decoded yet
    int m_bytesCodePage = 0;
    int m_fallback = 0;        // \uN fallback characters still to skip
    bool m_star = false;       // \* seen: an unknown word skips the group
    bool m_ended = false;      // a stray closing brace ended the document
};

}  // namespace textctl::rtf
