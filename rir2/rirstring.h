// RIR::String: the one text type of the system.
//
// An owned, deep-copied, zero-terminated byte string. Display texts are UTF-8; everything else
// (resource names, settings keys and values, paths, log lines) is plain bytes. No length is
// cached and no buffer is ever shared: length() counts on every call and every copy allocates.
//
// Storage: buffers hold the next multiple of 4 strictly above the number of bytes requested
// (roundCapacity); an empty string requests 32 bytes and gets 36. Assigning a shorter text reuses
// the buffer without shrinking it; appending grows it to exactly what is needed, rounded up, never
// geometrically.
//
// A null C text counts as the empty text in constructors, assignment, concatenation and every
// comparison. Orderings compare bytes as unsigned values, as strcmp does.
//
// Formatting (format, vformat, printf) goes through one shared static buffer of 4096 bytes, so a
// single result holds at most 4095 bytes (longer output is cut) and formatting belongs to one
// thread: the main thread.
//
// Indexes are byte positions and are not range-checked unless a member says otherwise; callers
// keep them inside the text. The UTF-8 members count characters by their lead byte and never
// step past the terminator, whatever the bytes.
#ifndef RIR2_RIRSTRING_H
#define RIR2_RIRSTRING_H

#include <cstdarg>
#include <cstdint>
#include <cstring>

namespace RIR
{

template <class T> class List;
class MemStream;

class String
{
public:
    // ---- construction, assignment, access -------------------------------------------------

    // The empty text, capacity 36.
    String();
    // A copy of pszText; null gives the empty text with capacity 36.
    String(const char* pszText);
    // The first nCount bytes of pszText, or all of it when it is shorter. Null gives the empty
    // text with room for nCount + 1 bytes. A negative count counts as 0.
    String(const char* pszText, int nCount);
    // The one-character text; the zero byte gives the empty text.
    explicit String(char c);
    // A deep copy; its capacity follows the other's length, not the other's capacity.
    String(const String& other);
    ~String();

    // Replace the text. Null gives the empty text; assigning a string its own buffer, or a
    // pointer into it, is safe.
    String& operator=(const String& other);
    String& operator=(const char* pszText);
    String& operator=(char c);

    // Append and return *this. Null or the zero byte append nothing.
    String& operator+=(const char* pszText);
    String& operator+=(const String& other) { return *this += other.m_pszText; }
    String& operator+=(char c);

    // Bytes before the terminator, counted on every call.
    int length() const { return (int)std::strlen(m_pszText); }
    const char* c_str() const { return m_pszText; }
    // Pointer to byte i; a negative i counts from the end (i + length). No range check.
    const char* at(int i) const { return m_pszText + (i < 0 ? i + length() : i); }
    char* at(int i) { return m_pszText + (i < 0 ? i + length() : i); }
    // Bytes the buffer may hold, terminator included.
    int getCapacity() const { return m_nCapacity; }
    // Exchanges the two strings' buffers, capacities included: nothing is copied or allocated.
    // Found by argument-dependent lookup, so List::swap and the standard algorithms use it
    // instead of three deep copies.
    friend void swap(String& a, String& b) noexcept
    {
        char* pszText = a.m_pszText;
        a.m_pszText = b.m_pszText;
        b.m_pszText = pszText;
        const int32_t nCapacity = a.m_nCapacity;
        a.m_nCapacity = b.m_nCapacity;
        b.m_nCapacity = nCapacity;
    }

    // The allocation size for a request of n bytes: n - n % 4 + 4.
    static int roundCapacity(int n) { return n - n % 4 + 4; }

    // ---- searching (byte indexes; -1 when not found) ---------------------------------------

    // First occurrence of pszText at or after nStart (0 <= nStart <= length).
    int find(const char* pszText, int nStart = 0) const;
    // First c at or after nStart; the zero byte yields the length.
    int findChar(char c, int nStart = 0) const;
    // Last c, or -1.
    int rfindChar(char c) const;
    // Smallest index at or after nStart holding any byte of pszSet; an empty set yields -1.
    int findAnyOf(const char* pszSet, int nStart = 0) const;

    // ---- comparisons with C text (null counts as "") ----------------------------------------

    bool operator==(const char* pszText) const;
    bool operator!=(const char* pszText) const { return !(*this == pszText); }
    bool operator<(const char* pszText) const { return compare(pszText) < 0; }
    bool operator>(const char* pszText) const { return compare(pszText) > 0; }
    bool operator<=(const char* pszText) const { return compare(pszText) <= 0; }
    bool operator>=(const char* pszText) const { return compare(pszText) >= 0; }
    // strcmp of this text and pszText (null counts as "").
    int compare(const char* pszText) const
    {
        return std::strcmp(m_pszText, pszText ? pszText : "");
    }

    // ---- numbers and formatting -------------------------------------------------------------

    // atoi of the text; 0 for null or "".
    static int toInt(const char* pszText);
    // atof of the text, as a float; 0 for null or "".
    static float toFloat(const char* pszText);
    // printf-style formatting into the shared buffer; the result holds at most 4095 bytes.
    static String vformat(const char* pszFormat, va_list args);
    static String format(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));
    // Replaces this text by the formatted output and returns its new length.
    int printf(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    // ---- case, trimming, pieces (each returns a new String) ---------------------------------

    // ASCII letters mapped; every other byte, UTF-8 sequences included, unchanged.
    String toUpper() const;
    String toLower() const;
    // Whitespace is exactly blank, tab, line feed and carriage return. A text made only of
    // whitespace gives the empty text from all three.
    String trimLeft() const;
    String trimRight() const;
    String trim() const;
    // The first n bytes; a negative n means length + n; beyond the length, the whole text.
    String left(int n) const;
    // The last n bytes; at or beyond the length, the whole text; n <= 0 gives the empty text.
    String right(int n) const;
    // The bytes from index a to the end; a >= length gives "", a < 0 the whole text.
    String from(int a) const;
    // Bytes a through b inclusive (0 <= a <= b + 1 <= length).
    String substring(int a, int b) const;

    // ---- UTF-8 characters -------------------------------------------------------------------

    // The number of characters.
    int utf8Length() const;
    // The first n characters; a negative n means count + n; beyond the count, the whole text.
    String utf8Left(int n) const;
    // The last n characters; at or beyond the count, the whole text; n <= 0 gives "".
    String utf8Right(int n) const;
    // The characters from index a to the end; a >= count gives "".
    String utf8From(int a) const;
    // Characters a through b inclusive.
    String utf8Substring(int a, int b) const;
    // The UTF-8 form of one code point (1 to 4 bytes); 0 gives "".
    static String fromCodepoint(unsigned int nCodepoint);

    // ---- replacing, splitting, lists --------------------------------------------------------

    // A copy with the first / every occurrence of pszSearch replaced by pszReplace. Inserted
    // text is never searched again. An empty or null search text changes nothing.
    String replaceFirst(const char* pszSearch, const char* pszReplace) const;
    String replaceAll(const char* pszSearch, const char* pszReplace) const;
    // As replaceAll, matching without regard to ASCII case.
    String replaceAllNoCase(const char* pszSearch, const char* pszReplace) const;
    // The pieces between separator bytes (null means " "); runs of separators collapse and no
    // piece is empty.
    List<String> split(const char* pszSeparators = " ") const;
    // Runs of bytes of one class (bytes in no class form one further class); each separator
    // byte is a one-byte token of its own.
    List<String> tokenize(const List<String>& lClasses, const char* pszSeparators) const;
    // The longest prefix all strings share, ignoring ASCII case, in the case of the smallest.
    static String commonPrefix(const List<String>& lStrings);
    // The decimal text of nValue with pszSeparator between groups of three digits.
    static String groupThousands(int nValue, const char* pszSeparator);

    // ---- zero-byte escape -------------------------------------------------------------------

    // The nCount bytes with 0x00 written as 0x01 0x01 and 0x01 as 0x01 0x02: no zero byte inside.
    static String escapeBinary(const void* pData, unsigned int nCount);
    // Decodes an escaped text into a new owned MemStream (the caller deletes it), positioned
    // after the last byte.
    static MemStream* unescapeBinary(const char* pszText);

private:
    friend String operator+(const String& a, const String& b);
    friend String operator+(const String& a, const char* b);
    friend String operator+(const char* a, const String& b);
    // The text of pszA followed by pszB (lengths given), in one allocation.
    static String concat(const char* pszA, int nA, const char* pszB, int nB);

    // Room for n bytes, text emptied; keeps a buffer that is large enough.
    void reserve(int n);
    // Replace the text by pszText (null counts as "").
    void assign(const char* pszText);
    // Replace the text by at most nCount bytes of pszText.
    void assign(const char* pszText, int nCount);
    // Append nAdd bytes of pszText (which may lie inside this buffer).
    void append(const char* pszText, int nAdd);
    // A new buffer of at least n bytes, rounded up; does not touch the fields.
    static char* allocBuffer(int n, int* pnCapacity);
    // Byte position of character n, or of the terminator when the text has fewer characters.
    int utf8Skip(int n) const;

    char* m_pszText;
    int32_t m_nCapacity;
};

bool operator==(const String& a, const String& b);
bool operator!=(const String& a, const String& b);
bool operator<(const String& a, const String& b);
bool operator>(const String& a, const String& b);
bool operator<=(const String& a, const String& b);
bool operator>=(const String& a, const String& b);

bool operator==(const char* a, const String& b);
bool operator!=(const char* a, const String& b);
bool operator<(const char* a, const String& b);
bool operator>(const char* a, const String& b);
bool operator<=(const char* a, const String& b);
bool operator>=(const char* a, const String& b);

String operator+(const String& a, const String& b);
String operator+(const String& a, const char* b);
String operator+(const char* a, const String& b);

} // namespace RIR

#endif
