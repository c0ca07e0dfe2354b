// RecordingLog: the ordered record of what the test kit's fakes were asked to do.
//
// Each fake writes one entry per call worth checking, as "<source>.<call>" with the arguments in
// brackets when there are any: "platform.init", "video.setVideoMode(800, 600, 0x00000001)",
// "audio.playMusic(intro, 0)". A FakePlatform shares one log with the drivers it makes, so a test
// sees the order across all of them. The log is reference counted: a test may keep it after the
// platform and its drivers are gone and still read what happened.
//
// Usage:
//     RIR::SmartPtr<RecordingLog> pLog = platform.getLog();
//     EXPECT_EQ(1, pLog->countCalls("video.invalidate"));
//     EXPECT_LT(pLog->indexOf("video.shutdown"), pLog->indexOf("audio.shutdown"));
#ifndef DIZIDOR_TESTKIT_RECORDINGLOG_H
#define DIZIDOR_TESTKIT_RECORDINGLOG_H

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class RecordingLog : public RIR::RefCountedObject
{
public:
    RecordingLog();
    ~RecordingLog() override;

    // Appends the text as one entry (never used as a format).
    void add(const char* pszEntry);
    // Appends one formatted entry.
    void addf(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    // Forgets every entry.
    void clear();

    int getLength() const { return m_lEntries.getLength(); }
    // The entry at nIndex; the list's index error outside the log.
    RIR::String get(int nIndex) const { return m_lEntries.get(nIndex); }
    const RIR::List<RIR::String>& getEntries() const { return m_lEntries; }

    // The entries that are the call itself or the call with arguments ("video.clear" counts
    // "video.clear(0, 0, 0, 255)", not "video.clearAll").
    int countCalls(const char* pszCall) const;
    // The index of the first entry at or after nFrom equal to pszEntry, or to the call pszEntry
    // with arguments; -1 when there is none.
    int indexOf(const char* pszEntry, int nFrom = 0) const;
    // Only the entries that start with pszPrefix, in order ("audio." for the audio driver's).
    RIR::List<RIR::String> filter(const char* pszPrefix) const;
    // Every entry, separated by "; " (for readable failure messages).
    RIR::String toString() const;

private:
    static bool isCall(const RIR::String& sEntry, const char* pszCall);

    RIR::List<RIR::String> m_lEntries;
};

#endif
