// RIR::TokenFileReader: the lexical reader of the line-based text formats.
//
// One command or entry per line, tokens separated by blanks or tabs, "#" starting a comment
// ("\#" is a literal "#"). The reader splits the whole text into lines at construction, drops
// comments, trims each line and keeps the non-empty ones; each format's meaning belongs to its own
// reader.
//
// Line numbers count from 0 over the non-empty physical lines: a line holding only blanks or only
// a comment uses up a number although it is dropped, while a line with no byte at all (a run of
// line ends) does not count. Carriage returns and line feeds both end a line, in any mix.
#ifndef RIR2_TOKENFILEREADER_H
#define RIR2_TOKENFILEREADER_H

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/rirstring.h"

namespace RIR
{

class Stream;

class TokenFileReader
{
public:
    // Reads the whole text; a null text throws AssertFailException. An empty text, or one of
    // comments only, gives a reader that is empty at once.
    explicit TokenFileReader(const char* sChunk);
    // Reads the stream's bytes from its current position (as many as its size, or fewer when
    // fewer arrive) and reads them as text; a null stream throws AssertFailException.
    explicit TokenFileReader(Stream* pFile);
    virtual ~TokenFileReader();

    TokenFileReader(const TokenFileReader&) = delete;
    TokenFileReader& operator=(const TokenFileReader&) = delete;

    // True when no kept line is left.
    bool isEmpty() const { return m_lLines.isEmpty(); }
    // Takes the first kept line: it becomes the current line, with its number and its tokens.
    // With no line left this raises the list's index error; test isEmpty first.
    void nextLine();
    // The current line ("" before the first nextLine).
    String getLine() const { return m_sLine; }
    // The current line's number (0 before the first nextLine).
    int getLineNumber() const { return m_nLineNumber; }
    // The tokens of the current line: the reader's own list.
    List<String>& getTokens() { return m_lTokens; }
    const List<String>& getTokens() const { return m_lTokens; }
    // The tokens from index i to the last joined by single blanks; "" when i is at or beyond the
    // token count.
    String joinTokens(int i) const;
    // Takes every remaining line and maps its first token to its second (97 buckets). Later
    // duplicates replace earlier values; further tokens are ignored. A line with a single token
    // raises the list's index error for token 1.
    SmartPtr<Hash<String, String>> readAsHash();

private:
    void parse(const char* pszText);

    List<String> m_lLines;
    List<int> m_lLineNumbers;
    String m_sLine;
    int32_t m_nLineNumber;
    List<String> m_lTokens;
};

} // namespace RIR

#endif
