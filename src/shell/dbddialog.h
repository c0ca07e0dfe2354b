// DBDDialog: the base of the game's dialogs.
//
// A DialogMode tied to the one application whose labels added to the main table (addLabel) are
// drawn in opaque black without a shadow, the game's dark text on its light panels. Labels added
// to other tables (addLabelTo) keep the theme's font.
#ifndef DBD_SHELL_DBDDIALOG_H
#define DBD_SHELL_DBDDIALOG_H

#include "ui/dialogmode.h"

class DBDDialog : public DialogMode
{
public:
    // Modal.
    DBDDialog();
    explicit DBDDialog(bool bModal);
    ~DBDDialog() override;

    GameApp* getApp() override;
    void onStart() override;
    // DialogMode's label, then a copy of its font in black without a shadow.
    RIR::SmartPtr<Label> addLabel(const char* pszText, int nAlign) override;
};

#endif
