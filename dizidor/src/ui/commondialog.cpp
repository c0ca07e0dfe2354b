#include "ui/commondialog.h"

#include "rir2/calltrace.h"

CommonDialog::CommonDialog(ICallbackTarget* pTarget)
    : DialogMode(true), m_nYesId(-1), m_nNoId(-1), m_nOkId(-1), m_nCancelId(-1),
      m_pTarget(pTarget)
{
    RIR_TRACE("CommonDialog::CommonDialog");
    m_pTextTable = new Table(this);
    m_pButtonTable = new Table(this);
    RIR::SmartPtr<Table> pMain = getTable();
    pMain->newRow();
    pMain->add(m_pTextTable, 0x01);
    pMain->newRow();
    pMain->add(m_pButtonTable, 0x24);
}

CommonDialog::~CommonDialog()
{
    RIR_TRACE("CommonDialog::~CommonDialog");
    m_pButtonTable = nullptr;
    m_pTextTable = nullptr;
}

void CommonDialog::onCallback(int nId, int /*nParam*/)
{
    RIR_TRACE("CommonDialog::onCallback");
    switch (nId)
    {
    case DLG_YES:
        onYes();
        break;
    case DLG_NO:
        onNo();
        break;
    case DLG_OK:
        onOk();
        break;
    case DLG_CANCEL:
        onCancel();
        break;
    default:
        break;
    }
}

bool CommonDialog::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("CommonDialog::keyDown");
    if (nKey == 13)
    {
        if (m_nYesId != -1)
            onCallback(DLG_YES, 0);
        else if (m_nOkId != -1)
            onCallback(DLG_OK, 0);
        else
            return false;
        return true;
    }
    if (nKey == 27)
    {
        if (m_nCancelId != -1)
            onCallback(DLG_CANCEL, 0);
        else if (m_nNoId != -1)
            onCallback(DLG_NO, 0);
        else
            return false;
        return true;
    }
    return GameMode::keyDown(nKey, nModifiers);
}

void CommonDialog::addNamedImage(const char* pszName, int nAlign)
{
    RIR_TRACE("CommonDialog::addNamedImage");
    m_pTextTable->newRow();
    addNamedImageTo(m_pTextTable, pszName, nAlign);
}

RIR::SmartPtr<Label> CommonDialog::addLabel(const char* pszText, int nAlign)
{
    RIR_TRACE("CommonDialog::addLabel");
    m_pTextTable->newRow();
    return addLabelTo(m_pTextTable, pszText, nAlign);
}

void CommonDialog::answer(int nAnswerId)
{
    RIR_TRACE("CommonDialog::answer");
    endMode();
    if (nAnswerId != -1 && m_pTarget)
        m_pTarget->onCallback(nAnswerId, 0);
}

void CommonDialog::onYes()
{
    RIR_TRACE("CommonDialog::onYes");
    answer(m_nYesId);
}

void CommonDialog::onNo()
{
    RIR_TRACE("CommonDialog::onNo");
    answer(m_nNoId);
}

void CommonDialog::onOk()
{
    RIR_TRACE("CommonDialog::onOk");
    answer(m_nOkId);
}

void CommonDialog::onCancel()
{
    RIR_TRACE("CommonDialog::onCancel");
    answer(m_nCancelId);
}

void CommonDialog::addButton(RIR::SmartPtr<Control> pButton)
{
    RIR_TRACE("CommonDialog::addButton");
    if (!isAdded(pButton))
        addControl(pButton);
    m_pButtonTable->newCell(1);
    m_pButtonTable->add(pButton, 0x24);
}
