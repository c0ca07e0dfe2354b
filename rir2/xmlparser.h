// RIR::XMLParser: a small pull tokenizer for XML text held in memory.
//
// The caller hands over the whole text with setText and asks for one token at a time with
// nextToken: element opened, attribute, text, element closed, processing instruction opened and
// closed, comment. The parser keeps the names of the open elements (innermost first) and checks
// that closing tags match. It builds no tree and reads no document type; attributes take double
// quotes only; text values decode the five predefined entities, lazily, on the first getValue.
//
// The walk ends with false at the end of the text, in any state, with no error; a comment or CDATA
// section without its end marker produces no token. It also ends with false on an error (a
// mismatched or unmatched closing tag, a bad tag end); the error text then stays until the next
// setText and further calls return false. The scan never reads past the end of the text.
#ifndef RIR2_XMLPARSER_H
#define RIR2_XMLPARSER_H

#include "rir2/list.h"
#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{

enum XMLTokenType
{
    XT_NONE = 0,
    XT_ELEMENT_OPEN = 1,
    XT_ATTRIBUTE = 2,
    XT_TEXT = 3,
    XT_ELEMENT_CLOSE = 4,
    XT_PI_OPEN = 5,
    XT_PI_CLOSE = 6,
    XT_COMMENT = 7
};

class XMLParser
{
public:
    // An empty text: the first nextToken returns false.
    XMLParser();
    virtual ~XMLParser();

    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    // Copies the text (null counts as empty) and restarts the walk: no token, no error, no open
    // element.
    void setText(const char* pszText);
    // Scans the next token; true when one was produced, false at the end of the text or on an
    // error.
    bool nextToken();

    int getTokenType() const { return m_nTokenType; }
    String getName() const { return m_sName; }
    // The token's value; a text token's entities are decoded on the first call.
    String getValue() const;
    // Names of the open elements and processing instructions, innermost first.
    const List<String>& getOpenElements() const { return m_lOpenElements; }
    bool hasError() const { return m_sError.length() > 0; }
    String getError() const { return m_sError; }

private:
    enum
    {
        STATE_TEXT = 0, // outside markup
        STATE_OPEN = 1, // just after "<"
        STATE_TAG = 2   // inside a tag: attributes or its end
    };

    // One pass of each state. Each returns true when it produced a token and sets bStop when the
    // walk ends (end of text or error) without one.
    bool scanText();
    bool scanOpen(bool& bStop);
    bool scanTag(bool& bStop);
    // Reads the name after "<", "<?" or "</" and produces its token.
    bool readName(bool bClosing, bool& bStop);
    // Takes the innermost open name into sName; false (with an error) when nothing is open.
    bool popOpenElement(String& sName, const char* pszClose);
    // Reads the bytes up to pszEnd into the value and moves past the marker; false (position at
    // the end of the text) when the marker never comes.
    bool readUntil(const char* pszEnd);
    void skipWhitespace();
    void endOfText();

    // The private copy of the text, exactly as long as the text and its terminator.
    char* m_pszText;
    const char* m_pPos;
    int32_t m_nTokenType;
    String m_sName;
    mutable String m_sValue;
    int32_t m_nState;
    uint8_t m_bInPI;
    List<String> m_lOpenElements;
    String m_sError;
    mutable uint8_t m_bDecoded;
    uint8_t m_bTextSeen;
};

} // namespace RIR

#endif
