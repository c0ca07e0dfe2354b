#include "shell/interlevelmode.h"

#include "shell/chapterscripts.h"
#include "shell/dbdapp.h"
#include "shell/epitaphtext.h"
#include "shell/textformat.h"

#include "app/disableimagecache.h"
#include "app/gameapp.h"
#include "app/iaudiodriver.h"
#include "gfx/color.h"
#include "ui/button.h"
#include "ui/custombutton.h"
#include "ui/label.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdlib>

namespace
{

const int KEY_ESCAPE = 27;
const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const int BACKGROUND_DEPTH = -10;

// The chapter title page.
const int CHAPTER_TITLE_Y = 200;
const int CHAPTER_NAME_Y = 250;
const int CHAPTER_ROW_COUNT = 8;
const int CHAPTER_ROW_LEFT = 40;
const int CHAPTER_COLUMN_WIDTH = 90;
const int CHAPTER_ROW_Y = 475;
const int MARKER_Y = 520;
const int MARKER_X_PAST_ROW = 755;
const int MARKER_DEPTH = 1000;

// The caption strip at the bottom of the screen.
const int CAPTION_X = 10;
const int CAPTION_Y = 565;
const int CAPTION_WIDTH = 780;
const int CAPTION_HEIGHT = 30;
const int CAPTION_DEPTH = 1000;

// The newspaper.
const int WEEK_X = 300;
const int WEEK_Y = 100;
const int WEEK_WIDTH = 200;
const int WEEK_DEPTH = 100;
const int SIDE_COLUMN_WIDTH = 144;
const int CENTRE_COLUMN_WIDTH = 288;
const int COLUMN_LINES = 40;
const int SEPARATOR_HEIGHT = 425;
const int PAPER_X = 97;
const int PAPER_Y = 130;
const int PAPER_WIDTH = 593;
const int PAPER_HEIGHT = 445;

// The viewer's buttons and the newspaper's "continue".
const int VIEWER_BUTTON_X = 10;
const int VIEWER_BUTTON_STEP = 52;
const int VIEWER_BUTTON_Y = 10;
const int BUTTON_DEPTH = 101;
const int CONTINUE_X = 700;
const int CONTINUE_Y = 500;

template <class T> bool notNULL(const RIR::SmartPtr<T>& p)
{
    return (bool)p;
}

// Shows the sprite's picture with that overall alpha.
void setSpriteAlpha(const RIR::SmartPtr<Sprite>& pSprite, int nAlpha)
{
    if (!pSprite)
        return;
    RIR::SmartPtr<Image> pImage = pSprite->getImage();
    if (!pImage)
        return;
    pImage->setAlpha(nAlpha);
    pSprite->setImage(pImage);
}

// Shows pOriginal on the sprite faded to nAlpha. A picture with its own transparency cannot take
// an overall alpha (it would be ignored when drawn): each of its pixels is faded in a copy. Other
// pictures take the overall alpha.
void showFaded(const RIR::SmartPtr<Sprite>& pSprite, const RIR::SmartPtr<Image>& pOriginal,
               int nAlpha)
{
    if (!pSprite || !pOriginal)
        return;
    if (pOriginal->hasAlpha())
    {
        RIR::SmartPtr<Image> pCopy = pOriginal->clone(true);
        pCopy->setAlpha(255);
        pCopy->multiplyAlpha(nAlpha);
        pSprite->setImage(pCopy);
    }
    else
    {
        pOriginal->setAlpha(nAlpha);
        pSprite->setImage(pOriginal);
    }
}

// A copy of the button picture with the caption drawn with its centre at the middle (+ offset).
RIR::SmartPtr<Image> composeButton(GameApp* pApp, const char* pszButton,
                                   const RIR::SmartPtr<Image>& pCaption, int nOffset)
{
    RIR::SmartPtr<Image> pImage = pApp->getImage(pszButton)->clone(true);
    pImage->blit(pCaption.get(), pImage->getWidth() / 2 + nOffset,
                 pImage->getHeight() / 2 + nOffset);
    return pImage;
}

} // namespace

InterLevelMode::InterLevelMode(int nEntry, GameMode* pNextMode)
    : DBDMode(), m_bInteractive(false), m_nEntry(nEntry), m_pNextMode(pNextMode), m_bDone(false),
      m_bShown(false), m_fWait(0.0f), m_nPageDepth(0), m_nState(ILS_IDLE), m_fAlpha(0.0f),
      m_fFadeSpeed(0.0f), m_fHoldTime(0.0f), m_nRevealPhase(0), m_nShownAlpha(-1),
      m_bEndingMusic(false)
{
    if (nEntry == ILE_VIEWER)
    {
        m_bInteractive = true;
        m_nEntry = 0;
    }
}

InterLevelMode::~InterLevelMode()
{
    RIR_TRACE("InterLevelMode::~InterLevelMode");
    m_lPageObjects.clear();
    if (GameApp* pApp = GameApp::getInstance())
        pApp->removeImage("epitaph");
    clearScript();
    // A day handed over but never started belongs to nobody else.
    if (!m_bDone)
        delete m_pNextMode;
    m_pNextMode = nullptr;
}

void InterLevelMode::clearScript()
{
    for (int i = 0; i < m_lScript.getLength(); ++i)
        delete m_lScript.get(i);
    m_lScript.clear();
}

RIR::SmartPtr<Sprite> InterLevelMode::addPageSprite(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("InterLevelMode::addPageSprite");
    addSprite(pSprite);
    m_lPageObjects.append(pSprite);
    return pSprite;
}

RIR::SmartPtr<Control> InterLevelMode::addPageControl(RIR::SmartPtr<Control> pControl)
{
    RIR_TRACE("InterLevelMode::addPageControl");
    addControl(pControl);
    m_lPageObjects.append(pControl.get());
    return pControl;
}

void InterLevelMode::clearPage()
{
    RIR_TRACE("InterLevelMode::clearPage");
    removeObjects(m_lPageObjects);
    m_lPageObjects.clear();
    m_fAlpha = 255.0f;
    m_fWait = -1.0f;
    m_fHoldTime = 0.0f;
    m_pFadingSprite = nullptr;
    m_pCurImage = nullptr;
    m_nShownAlpha = -1;
    m_pCaption = nullptr;
    m_pChapterLong = nullptr;
    m_pChapterName = nullptr;
    m_lChapterList.clear();
    m_pHereMarker = nullptr;
    m_pMarkerImage = nullptr;
    m_pContinueButton = nullptr;
    m_pEpitaphTable = nullptr;
}

void InterLevelMode::tileBackground(const char* pszImage)
{
    RIR_TRACE("InterLevelMode::tileBackground");
    RIR::SmartPtr<Image> pImage = getApp()->getImage(pszImage);
    const int nWidth = pImage->getWidth() > 0 ? pImage->getWidth() : SCREEN_WIDTH;
    const int nHeight = pImage->getHeight() > 0 ? pImage->getHeight() : SCREEN_HEIGHT;
    for (int x = 0; x < SCREEN_WIDTH; x += nWidth)
        for (int y = 0; y < SCREEN_HEIGHT; y += nHeight)
            addPageSprite(new Sprite(pImage, x, y, BACKGROUND_DEPTH));
}

void InterLevelMode::setFadeAlpha(int nAlpha)
{
    RIR_TRACE("InterLevelMode::setFadeAlpha");
    RIR_ASSERT(notNULL(m_pCurImage));
    RIR_ASSERT(notNULL(m_pFadingSprite));
    m_nShownAlpha = nAlpha;
    showFaded(m_pFadingSprite, m_pCurImage, nAlpha);
}

void InterLevelMode::buildChapterScript(int nChapter)
{
    RIR_TRACE("InterLevelMode::buildChapterScript");
    clearScript();
    m_nPageDepth = 0;
    if (nChapter >= 0)
        m_lScript.append(new ILCommand(nChapter));
    int nCount = 0;
    const ChapterStep* pSteps = getChapterScript(nChapter, &nCount);
    for (int i = 0; i < nCount; ++i)
    {
        const ChapterStep& step = pSteps[i];
        if (step.bBackground)
            m_lScript.append(new ILCommand(step.pszImage));
        else
            m_lScript.append(new ILCommand(step.pszImage, step.nX, step.nY,
                                           getApp()->getString(step.pszCaptionKey),
                                           step.fFadeSpeed, step.fHoldTime));
    }
    m_nState = ILS_SCRIPT;
}

void InterLevelMode::showEntry()
{
    RIR_TRACE("InterLevelMode::showEntry");
    GameApp* pApp = getApp();
    clearPage();
    m_bEndingMusic = false;
    if (m_nEntry == ILE_LOST || m_nEntry == ILE_WON)
        buildChapterScript(m_nEntry);
    else if (m_nEntry % 5 == 0)
    {
        const int nChapter = m_nEntry / 5;
        buildChapterScript(nChapter);
        if (m_pPlayStoryButton)
            m_pPlayStoryButton->setVisible(true);
        if (nChapter == 2 || nChapter == 9)
        {
            pApp->getMusic("st_end_start");
            pApp->getMusic("st_end_loop");
            pApp->getMusic("st_end_end");
            pApp->playMusicByName("st_end_loop", true);
            pApp->playMusicByName("st_end_start", false);
            m_bEndingMusic = true;
        }
        else
            pApp->playMusicByName("st_hist", true);
        // Nothing follows the last chapter.
        if (m_nEntry == ILE_LAST && m_pNextMode && !m_bDone)
        {
            delete m_pNextMode;
            m_pNextMode = nullptr;
        }
    }
    else
    {
        pApp->playMusicByName("news", true);
        addPageSprite(new Sprite(pApp->getImage("epitaph"), 0, 0, BACKGROUND_DEPTH));
        buildEpitaph();
        if (!m_bInteractive)
        {
            m_pContinueButton = new Button("continue", ILCB_DONE, CONTINUE_X, CONTINUE_Y,
                                           BUTTON_DEPTH, -1);
            addPageControl(m_pContinueButton);
        }
        if (m_pPlayStoryButton)
            m_pPlayStoryButton->setVisible(false);
    }

    if (m_pPrevButton)
    {
        m_pPrevButton->setEnabled(m_nEntry > 0);
        const int nReached = std::atoi(pApp->getSetting("LastInterlevel").c_str());
        m_pNextButton->setEnabled(m_nEntry < ILE_LAST && m_nEntry < nReached);
    }
}

void InterLevelMode::runCommand(const ILCommand& command)
{
    RIR_TRACE("InterLevelMode::runCommand");
    switch (command.nKind)
    {
    case ILC_BACKGROUND:
        clearPage();
        tileBackground(command.sImage.c_str());
        m_nPageDepth = 0;
        break;
    case ILC_CHAPTER:
        showChapterPage(command.nChapter);
        break;
    case ILC_PAGE:
    {
        m_nState = ILS_SCRIPT;
        RIR::SmartPtr<Image> pImage;
        {
            // Each page picture is shown once: it is not kept in the image cache.
            DisableImageCache noCache;
            pImage = getApp()->getImage(command.sImage.c_str());
        }
        RIR::SmartPtr<Sprite> pSprite =
            addPageSprite(new Sprite(pImage, command.nX, command.nY, m_nPageDepth + 2));
        m_nPageDepth += 1;

        m_pCurImage = pImage;
        m_pFadingSprite = pSprite;
        // Hidden from the first frame on, whether the picture has its own transparency or not.
        setFadeAlpha(0);
        m_fAlpha = 0.0f;
        m_fFadeSpeed = command.fFadeSpeed;
        m_fHoldTime = command.fHoldTime;
        m_fWait = -1.0f;

        if (m_pCaption)
        {
            removeObject(m_pCaption.get());
            const int nIndex = m_lPageObjects.indexOf(m_pCaption.get());
            if (nIndex >= 0)
                m_lPageObjects.removeAt(nIndex);
        }
        m_pCaption = new Label("", CAPTION_X, CAPTION_Y, CAPTION_DEPTH, CAPTION_WIDTH, false);
        m_pCaption->setTextColor(Color(255, 255, 255, 255));
        m_pCaption->setShadowColor(Color(0, 0, 0, 255));
        m_pCaption->setAlignment(0x24);
        RIR::SmartPtr<Image> pStrip = createImage(CAPTION_WIDTH, CAPTION_HEIGHT, true);
        pStrip->fill(Color(0, 0, 0, 192));
        pStrip->setInsPoint(0, 3);
        m_pCaption->setBackground(pStrip);
        addPageSprite(m_pCaption.get());
        m_pCaption->setText(command.sText.c_str());

        if (m_pPlayStoryButton)
            m_pPlayStoryButton->setEnabled(false);
        break;
    }
    default:
        break;
    }
}

void InterLevelMode::showChapterPage(int nChapter)
{
    RIR_TRACE("InterLevelMode::showChapterPage");
    GameApp* pApp = getApp();
    clearPage();
    tileBackground("black200x200");
    m_nPageDepth = 0;
    m_nRevealPhase = 0;
    m_nState = ILS_REVEAL;
    if (!m_pChapterFont)
    {
        m_pChapterFont = pApp->getTheme()->getFont("Dolly::Chapter");
        m_pChapterDescFont = pApp->getTheme()->getFont("Dolly::ChapterDesc");
    }

    m_pChapterLong = new Label("");
    m_pChapterLong->setOpaque(true);
    m_pChapterLong->setFont(m_pChapterFont);
    m_pChapterLong->setText(pApp->getString(RIR::String::format("ChapterLong%d", nChapter).c_str()));
    m_pChapterLong->setPos(SCREEN_WIDTH / 2 - m_pChapterLong->getWidth() / 2, CHAPTER_TITLE_Y);
    addPageSprite(m_pChapterLong.get());

    m_pChapterName = new Label("");
    m_pChapterName->setOpaque(true);
    m_pChapterName->setFont(m_pChapterDescFont);
    m_pChapterName->setText(pApp->getString(RIR::String::format("ChapterName%d", nChapter).c_str()));
    m_pChapterName->setPos(SCREEN_WIDTH / 2 - m_pChapterName->getWidth() / 2, CHAPTER_NAME_Y);
    addPageSprite(m_pChapterName.get());

    // The first chapter has no row of chapters and no marker: the story has only begun.
    if (nChapter > 0)
    {
        RIR::SmartPtr<Font> pDoneFont = m_pChapterFont->clone();
        pDoneFont->setColor(Color(96, 96, 96, 255));
        for (int i = 1; i <= CHAPTER_ROW_COUNT; ++i)
        {
            const int nLeft = CHAPTER_ROW_LEFT + CHAPTER_COLUMN_WIDTH * (i - 1);
            RIR::SmartPtr<Label> pLabel = new Label("");
            pLabel->setOpaque(true);
            pLabel->setFont(i < nChapter ? pDoneFont : m_pChapterFont);
            pLabel->setText(pApp->getString(RIR::String::format("ChapterShort%d", i).c_str()));
            pLabel->setPos(nLeft + CHAPTER_COLUMN_WIDTH / 2 - pLabel->getWidth() / 2, CHAPTER_ROW_Y);
            addPageSprite(pLabel.get());
            m_lChapterList.append(pLabel);
        }
        // The marker points at the middle of the chapter's column; past the row, at its end.
        const int nMarkerX = nChapter > CHAPTER_ROW_COUNT
                                 ? MARKER_X_PAST_ROW
                                 : CHAPTER_ROW_LEFT + CHAPTER_COLUMN_WIDTH * (nChapter - 1) +
                                       CHAPTER_COLUMN_WIDTH / 2;
        m_pMarkerImage = pApp->getImage("youarehere")->clone(true);
        m_pMarkerImage->setInsPointByAlign(0x0C);
        m_pHereMarker =
            addPageSprite(new Sprite(m_pMarkerImage, nMarkerX, MARKER_Y, MARKER_DEPTH));
    }

    for (int nPhase = 0; nPhase < 3; ++nPhase)
        setRevealAlpha(nPhase, 0);
    m_fAlpha = 0.0f;
    m_fFadeSpeed = REVEAL_TEXT_SPEED;
    m_fWait = REVEAL_START_WAIT;
}

void InterLevelMode::setRevealAlpha(int nPhase, int nAlpha)
{
    switch (nPhase)
    {
    case 0:
        setSpriteAlpha(m_pChapterLong.get(), nAlpha);
        break;
    case 1:
        setSpriteAlpha(m_pChapterName.get(), nAlpha);
        break;
    case 2:
        for (int i = 0; i < m_lChapterList.getLength(); ++i)
            setSpriteAlpha(m_lChapterList.get(i).get(), nAlpha);
        showFaded(m_pHereMarker, m_pMarkerImage, nAlpha);
        break;
    default:
        break;
    }
}

void InterLevelMode::buildEpitaph()
{
    RIR_TRACE("InterLevelMode::buildEpitaph");
    GameApp* pApp = getApp();
    if (!m_pEpitaphText)
    {
        RIR::SmartPtr<Theme> pTheme = pApp->getTheme();
        m_pEpitaphText = pTheme->getFont("Epitaph::Text");
        m_pEpitaphTextSmall = pTheme->getFont("Epitaph::TextSmall");
        m_pEpitaphTitle = pTheme->getFont("Epitaph::Title");
        m_pEpitaphTitleSmall = pTheme->getFont("Epitaph::TitleSmall");
        m_pEpitaphTitleSmaller = pTheme->getFont("Epitaph::TitleSmaller");
        m_pEpitaphWeek = pTheme->getFont("Epitaph::Week");
    }
    m_nState = ILS_IDLE;

    RIR::SmartPtr<Label> pWeek = new Label("", WEEK_X, WEEK_Y, WEEK_DEPTH);
    pWeek->setFont(m_pEpitaphWeek);
    pWeek->setWidth(WEEK_WIDTH, false);
    pWeek->setText(formatText(pApp->getString("EpitaphWeekFmt"), {m_nEntry + 1}).c_str());
    addPageSprite(pWeek.get());

    const RIR::String sEntry = RIR::String::format("%d", m_nEntry);
    RIR::SmartPtr<Table> pLeft = new Table(this);
    layoutEpitaphText(pLeft.get(), pApp->getString(("EpitaphLeft" + sEntry).c_str()),
                      SIDE_COLUMN_WIDTH, true);
    RIR::SmartPtr<Table> pCentre = new Table(this);
    layoutEpitaphText(pCentre.get(), pApp->getString(("EpitaphText" + sEntry).c_str()),
                      CENTRE_COLUMN_WIDTH, false);
    RIR::SmartPtr<Table> pRight = new Table(this);
    layoutEpitaphText(pRight.get(), pApp->getString(("EpitaphRight" + sEntry).c_str()),
                      SIDE_COLUMN_WIDTH, true);

    RIR::SmartPtr<Image> pRule = createImage(2, SEPARATOR_HEIGHT, false);
    RIR::SmartPtr<Table> pPaper = new Table(this);
    pPaper->setSpacing(2);
    pPaper->newRow();
    pPaper->newCell(1);
    pPaper->add(pLeft.get(), 9);
    pPaper->newCell(1);
    pPaper->add(addPageSprite(new Sprite(pRule, 0, 0, 0)).get(), 0x24);
    pPaper->newCell(1);
    pPaper->add(pCentre.get(), 9);
    pPaper->newCell(1);
    pPaper->add(addPageSprite(new Sprite(pRule, 0, 0, 0)).get(), 0x24);
    pPaper->newCell(1);
    pPaper->add(pRight.get(), 9);
    pPaper->setZOrder(1);
    pPaper->setPos(PAPER_X, PAPER_Y);
    pPaper->setSize(PAPER_WIDTH, PAPER_HEIGHT);
    pPaper->relayout();
    m_pEpitaphTable = pPaper;
}

void InterLevelMode::layoutEpitaphText(Table* pTable, const char* pszText, int nWidth, bool bSmall)
{
    RIR_TRACE("InterLevelMode::layoutEpitaphText");
    // A column keeps the height of its text when the page lays it out: its lines stay together
    // under the top instead of spreading over the whole page.
    pTable->setFlags(TSF_WIDTH);
    pTable->newRow();
    pTable->newCell(1);
    RIR::List<EpitaphLine> lLines = parseEpitaphText(pszText);
    for (int i = 0; i < lLines.getLength(); ++i)
    {
        const EpitaphLine& line = lLines.get(i);
        if (line.nStyle == EPS_IMAGE)
        {
            RIR::SmartPtr<Sprite> pPicture =
                addPageSprite(new Sprite(getApp()->getImage(line.sImage.c_str()), 0, 0, 0));
            pTable->newRow();
            pTable->newCell(1);
            pTable->add(pPicture.get(), 0x24);
        }
        else
            addEpitaphLabel(pTable, line.sText.c_str(), nWidth, epitaphFontName(line.nStyle, bSmall));
    }
}

void InterLevelMode::addEpitaphLabel(Table* pTable, const char* pszText, int nWidth,
                                     const char* pszFont)
{
    RIR_TRACE("InterLevelMode::addEpitaphLabel");
    RIR::SmartPtr<Label> pLabel = new Label("");
    pLabel->setWidth(nWidth, true);
    pLabel->setLineCount(COLUMN_LINES);
    pLabel->setFont(getApp()->getTheme()->getFont(pszFont));
    addPageSprite(pLabel.get());
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pLabel.get(), 9);
    pLabel->setText(pszText);
}

void InterLevelMode::skipStep()
{
    RIR_TRACE("InterLevelMode::skipStep");
    if (m_nState == ILS_SCRIPT)
    {
        m_fAlpha = 255.0f;
        m_fWait = -1.0f;
        m_fHoldTime = 0.0f;
        if (m_pFadingSprite)
        {
            setFadeAlpha(255);
            m_pFadingSprite = nullptr;
        }
    }
    else if (m_nState == ILS_REVEAL)
    {
        m_nRevealPhase = 3;
        m_fWait = 0.0f;
    }
}

void InterLevelMode::onCallback(int nId, int nParam)
{
    RIR_TRACE("InterLevelMode::onCallback");
    (void)nParam;
    switch (nId)
    {
    case ILCB_DONE:
        // The scene ends once: a click on "continue" and Escape in one frame, or the end of the
        // script after Escape, start the day only once.
        if (m_bDone)
            return;
        if (m_pNextMode)
        {
            m_bDone = true;
            getApp()->pushMode(m_pNextMode);
        }
        else if (getState() == MS_RUNNING)
            endMode();
        break;
    case ILCB_NEXT:
        RIR_ASSERT(m_bInteractive);
        m_nEntry += 1;
        showEntry();
        break;
    case ILCB_PREVIOUS:
        RIR_ASSERT(m_bInteractive);
        m_nEntry -= 1;
        showEntry();
        break;
    case ILCB_SKIP:
        skipStep();
        break;
    default:
        break;
    }
}

void InterLevelMode::onActivate()
{
    RIR_TRACE("InterLevelMode::onActivate");
    if (m_bDone)
    {
        endMode();
        return;
    }
    if (!m_bShown)
    {
        m_bShown = true;
        if (m_bInteractive && !m_pPrevButton)
            createViewerButtons();
        showEntry();
    }
    if (!m_bInteractive && m_nState != ILS_IDLE)
        getApp()->showCursor(false);
}

void InterLevelMode::createViewerButtons()
{
    RIR_TRACE("InterLevelMode::createViewerButtons");
    m_pPrevButton = addViewerButton(1, "text_previous", ILCB_PREVIOUS);
    addViewerButton(2, "text_stop", ILCB_DONE);
    m_pNextButton = addViewerButton(3, "text_next", ILCB_NEXT);
    if (m_nEntry % 5 == 0)
        m_pPlayStoryButton = addViewerButton(4, "text_playstory", ILCB_SKIP);
    // The buttons stay when the pages change.
    m_lPageObjects.clear();
}

RIR::SmartPtr<Button> InterLevelMode::addViewerButton(int nPosition, const char* pszCaption,
                                                      int nId)
{
    RIR_TRACE("InterLevelMode::addViewerButton");
    GameApp* pApp = getApp();
    RIR::SmartPtr<Image> pCaption = pApp->getImage(pszCaption)->clone(false);
    pCaption->setInsPointByAlign(0x24);
    RIR::SmartPtr<Image> pFaded = pCaption->clone(true);
    pFaded->multiplyAlpha(128);
    RIR::SmartPtr<Button> pButton =
        new CustomButton(nId, composeButton(pApp, "boton1", pCaption, 0),
                         composeButton(pApp, "boton1", pCaption, 2),
                         composeButton(pApp, "boton1_high", pCaption, 0),
                         composeButton(pApp, "boton1_disabled", pFaded, 0));
    pButton->setPos(VIEWER_BUTTON_X + VIEWER_BUTTON_STEP * (nPosition - 1), VIEWER_BUTTON_Y);
    pButton->setZOrder(BUTTON_DEPTH);
    addPageControl(pButton.get());
    return pButton;
}

void InterLevelMode::update(float fDt)
{
    RIR_TRACE("InterLevelMode::update");
    if (m_bEndingMusic)
    {
        IAudioDriver* pAudio = getApp()->getAudioDriver();
        if (pAudio && !pAudio->isMusicPlaying())
            getApp()->playMusicByName("st_end_loop", false);
    }
    if (m_fWait > 0.0f)
    {
        m_fWait -= fDt;
        return;
    }
    if (m_nState == ILS_SCRIPT)
        updateScript(fDt);
    else if (m_nState == ILS_REVEAL)
        updateReveal(fDt);
}

void InterLevelMode::updateScript(float fDt)
{
    if (!m_pFadingSprite)
    {
        if (m_lScript.isEmpty())
        {
            // A screen shown over the scene (one that lets updates through) keeps it waiting:
            // the day starts, or the scene ends, once the scene is on top again.
            if (getApp()->getTopMode() != this)
                return;
            if (!m_bInteractive)
            {
                if (m_nEntry % 5 == 0 || m_nEntry == ILE_LOST || m_nEntry == ILE_WON)
                    onCallback(ILCB_DONE, 0);
            }
            else if (m_pNextButton && m_pNextButton->isEnabled())
                onCallback(ILCB_NEXT, 0);
            return;
        }
        ILCommand* pCommand = m_lScript.get(0);
        m_lScript.removeAt(0);
        runCommand(*pCommand);
        delete pCommand;
        if (m_nState == ILS_REVEAL || !m_pFadingSprite)
            return;
    }

    const int nOld = (int)m_fAlpha;
    m_fAlpha += m_fFadeSpeed * fDt;
    const int nNew = (int)m_fAlpha;
    if (nNew != nOld)
    {
        const int nShow = nNew < 255 ? nNew : 255;
        if (nShow != m_nShownAlpha)
            setFadeAlpha(nShow);
    }
    if (m_fAlpha > 255.0f)
    {
        if (!m_bInteractive)
        {
            m_pFadingSprite = nullptr;
            m_fWait = m_fHoldTime;
        }
        else if (m_pPlayStoryButton)
            m_pPlayStoryButton->setEnabled(true);
    }
}

void InterLevelMode::updateReveal(float fDt)
{
    if (m_nRevealPhase >= 3)
    {
        m_nState = ILS_SCRIPT;
        return;
    }
    const int nOld = (int)m_fAlpha;
    m_fAlpha += fDt * m_fFadeSpeed;
    const int nNew = (int)m_fAlpha;
    if (nNew == nOld)
        return;
    const int nShow = nNew < 255 ? nNew : 255;
    setRevealAlpha(m_nRevealPhase, nShow);
    if (nShow < 255)
        return;
    m_nRevealPhase += 1;
    m_fAlpha = 0.0f;
    if (m_nRevealPhase == 1)
        m_fWait = REVEAL_PHASE_WAIT;
    else if (m_nRevealPhase == 2)
    {
        m_fFadeSpeed = REVEAL_ROW_SPEED;
        m_fWait = REVEAL_PHASE_WAIT;
    }
    else
        m_fWait = REVEAL_HOLD;
}

bool InterLevelMode::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("InterLevelMode::keyDown");
    (void)nModifiers;
    if (nKey == KEY_ESCAPE)
        onCallback(ILCB_DONE, 0);
    else
        skipStep();
    return false;
}

bool InterLevelMode::mouseDown(int nButtonMask, int nX, int nY)
{
    RIR_TRACE("InterLevelMode::mouseDown");
    (void)nButtonMask;
    (void)nX;
    (void)nY;
    skipStep();
    return true;
}
