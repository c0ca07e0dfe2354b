// DialogMode: the base of every dialog, a mode that shows a framed table centred on the screen
// over a dimmed picture of the modes below it.
//
// A dialog lays its contents out in its main table (framed in the theme's "" frame style) or in
// tables inside it; the add helpers make the sprites and labels, add them to the mode and put
// them in a table's current cell. The modes below stay visible (MF_SEE_THROUGH); a non-modal
// dialog also lets the mode below keep updating (MF_UPDATE_THROUGH). No dialog lets input
// through: while a dialog is on top it takes all input.
//
// Life: construction builds what the class builds itself; onStart adds the dimmed background;
// each activation shows the cursor and lays the dialog out again (centred anew whenever it
// becomes the top mode); onEnd hides the main table and keeps the contents until the dialog is
// deleted at the end of the frame.
//
// Usage:
//     class MyDialog : public DialogMode
//     {
//     public:
//         MyDialog() : DialogMode(true) { addLabel("hello", 0x24); layout(true); }
//     };
//     pApp->pushMode(new MyDialog());
//
// Failures: a picture the image cache cannot load raises there (addImageOrText asks first);
// the frame needs an installed frame-panel builder (the current theme). Main thread only.
#ifndef DIZIDOR_UI_DIALOGMODE_H
#define DIZIDOR_UI_DIALOGMODE_H

#include "app/gamemode.h"
#include "gfx/font.h"
#include "ui/label.h"
#include "ui/table.h"

#include "rir2/refcount.h"

class DialogMode : public GameMode
{
public:
    // A framed main table of this mode with the requested size 1 x 1, wrap width 500, no label
    // font; flags | MF_SEE_THROUGH, and | MF_UPDATE_THROUGH when not modal.
    explicit DialogMode(bool bModal);
    ~DialogMode() override;

    // The dimmed background: GameMode::addDimmer(0.5).
    void onStart() override;
    // Hides the main table; the contents stay.
    void onEnd() override;
    // Shows the cursor, then layout.
    void onActivate() override;

    RIR::SmartPtr<Table> getTable() const { return m_pTable; }
    // Lays the main table out, centres it on the screen (integer halves), shows it and arranges
    // it at its new place. The argument is kept for derived dialogs; it changes nothing here.
    virtual void layout(bool bUnused);

    // A sprite of the image at z 0 added to the mode and to the table's current cell.
    virtual void addImageTo(RIR::SmartPtr<Table> pTable, RIR::SmartPtr<Image> pImage, int nAlign);
    // addImageTo with the image cache's picture of that name.
    virtual void addNamedImageTo(RIR::SmartPtr<Table> pTable, const char* pszName, int nAlign);
    virtual void addImage(RIR::SmartPtr<Image> pImage, int nAlign);
    virtual void addNamedImage(const char* pszName, int nAlign);
    // A Label of the text (with the label font when set), wrapped at the wrap width when wider,
    // added to the mode and to the table's current cell.
    virtual RIR::SmartPtr<Label> addLabelTo(RIR::SmartPtr<Table> pTable, const char* pszText,
                                            int nAlign);
    virtual RIR::SmartPtr<Label> addLabel(const char* pszText, int nAlign);
    // The picture of that name when the application can load it (null returned); else a label
    // of the string-table text of the key, or of the key itself when the table lacks it.
    virtual RIR::SmartPtr<Label> addImageOrTextTo(RIR::SmartPtr<Table> pTable, const char* pszKey,
                                                  int nAlign);
    virtual RIR::SmartPtr<Label> addImageOrText(const char* pszKey, int nAlign);

    void setWrapWidth(int nWidth) { m_nWrapWidth = nWidth; }
    int getWrapWidth() const { return m_nWrapWidth; }
    void setFont(RIR::SmartPtr<Font> pFont) { m_pFont = pFont; }
    RIR::SmartPtr<Font> getLabelFont() const { return m_pFont; }
    // The main table's frame style.
    void setFrame(const char* pszFrameStyle);

private:
    RIR::SmartPtr<Table> m_pTable;
    int m_nWrapWidth;
    RIR::SmartPtr<Font> m_pFont;
};

#endif
