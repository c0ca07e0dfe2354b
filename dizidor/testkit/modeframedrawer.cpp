#include "testkit/modeframedrawer.h"

#include "app/framewalk.h"
#include "app/gameapp.h"
#include "gfx/sprite.h"

#include "rir2/calltrace.h"

namespace
{

class RecordingFrame : public FrameVisitor
{
public:
    explicit RecordingFrame(RecordingVideoDriver& driver) : m_driver(driver) {}

    void drawSprite(Sprite* pSprite) override
    {
        RIR_TRACE("RecordingFrame::drawSprite");
        const char* pszLabel = pSprite->hasProperty("label")
                                   ? static_cast<const char*>(pSprite->getProperty("label"))
                                   : "sprite";
        m_driver.recordDraw(pszLabel);
    }

    void drawCursor(Sprite* /*pCursor*/) override
    {
        RIR_TRACE("RecordingFrame::drawCursor");
        m_driver.recordDraw("cursor");
    }

private:
    RecordingVideoDriver& m_driver;
};

} // namespace

RecordingVideoDriver::FrameDrawer modeFrameDrawer(GameApp* pApp)
{
    RIR_TRACE("modeFrameDrawer");
    return [pApp](RecordingVideoDriver& driver)
    {
        RecordingFrame frame(driver);
        walkFrame(*pApp, driver, frame);
    };
}
