// DemoStage (demostage.h).
#include "demostage.h"

#include "democast.h"

#include "world/cow.h"
#include "world/scene.h"
#include "world/sheriff.h"
#include "world/thief.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>

namespace
{

void setGuestParams(Character* pGuest)
{
    pGuest->setBool(CP_CAN_BE_STOPPED, false);
    pGuest->setFloat(CP_EXPELL_COUNT, 3.0f);
    pGuest->setBool(CP_WANT_CLICKS, false);
    pGuest->setBool(CP_ALWAYS_EXIT_RIGHT, false);
    pGuest->setBool(CP_EXCLUSIVE_ENTER, false);
    pGuest->setFloat(CP_TIME_RETRY_LEAVE, 1.0f);
}

void setCustomerParams(Customer* pCust)
{
    setGuestParams(pCust);
    pCust->setFloat(CP_EXPELL_COUNT, 1.0f);
    pCust->setBool(CP_IS_WANTED, false);
    for (int n = 0; n < 4; ++n)
        pCust->setFloat(RIR::String::format(CP_TIME_ASK_FMT, n).c_str(), 60.0f);
    pCust->setBool(CP_LEAVE_ON_ABANDON, false);
    pCust->setBool(CP_PATIENT, false);
    pCust->setFloat(CP_TIME_BETWEEN_DRINK, 0.5f);
    pCust->setBool(CP_LAST_DRINK_LOCKED, false);
    pCust->setBool(CP_FAST_DRINK_NEXT, false);
    pCust->setFloat(CP_FAST_DRINK_PROB, 0.0f);
    pCust->setFloat(CP_START_FIGHT_PROB, 0.0f);
    pCust->setFloat(CP_MAX_DRINKS, 2.0f);
    for (int n = 0; n < 4; ++n)
        pCust->setFloat(RIR::String::format(CP_PAY_FMT, n).c_str(), (float)(120 - 10 * n));
    pCust->setBool(CP_PICK_FIRST_CHAIR, true);
    pCust->setBool(CP_LEAVE_ON_REMOVE, false);
    pCust->setBool(CP_ACCEPT_FIGHTS, true);
    pCust->setBool(CP_CAN_BE_SCARED, true);
    pCust->setBool(CP_ACCEPT_PARTNERS, true);
    pCust->setBool(CP_SCARES_PEOPLE, false);
}

} // namespace

bool DemoStage::isStage(const std::string& sName)
{
    return sName == "fight" || sName == "cow" || sName == "sheriff" || sName == "thief";
}

DemoStage::DemoStage(DemoWorld* pWorld, const std::string& sStage)
    : m_pWorld(pWorld), m_sStage(sStage), m_bServed(false), m_fReadyTime(0.0f)
{
    RIR_TRACE("DemoStage::DemoStage");
    if (!m_pWorld->getCast())
        RIR_THROW(FatalErrorException, "The stages need the game's packs (--scene N)");
    DemoCast* pCast = m_pWorld->getCast();
    if (m_sStage == "fight")
    {
        m_pStarter = addCustomer();
        m_pStarter->setFloat(CP_START_FIGHT_PROB, 1.0f);
        bringIn(m_pStarter, 0);
        m_pOpponent = addCustomer();
        bringIn(m_pOpponent, 2);
        if (m_pStarter->getChair()->getOpposite() != m_pOpponent->getChair())
            std::printf("saloon-demo: the two customers sit at different tables\n");
    }
    else if (m_sStage == "cow")
    {
        RIR::SmartPtr<Cow> pCow = new Cow;
        setGuestParams(pCow.get());
        pCow->setBool(CP_DO_SIT, true);
        pCow->setFloat(CP_COW_SIT_TIME, 60.0f);
        pCast->dress(pCow.get(), DemoCast::KIND_COW);
        m_pGuest = pCow.get();
        bringIn(m_pGuest, 2);
    }
    else if (m_sStage == "sheriff")
    {
        RIR::SmartPtr<Sheriff> pSheriff = new Sheriff;
        setGuestParams(pSheriff.get());
        pCast->dress(pSheriff.get(), DemoCast::KIND_SHERIFF);
        m_pGuest = pSheriff.get();
        bringIn(m_pGuest, 2);
    }
    else
    {
        m_pGuard = new ThiefGuard("mariachi");
        m_pWorld->setThiefGuard(m_pGuard.get());
        m_pWorld->addCash(1000);
        RIR::SmartPtr<Thief> pThief = new Thief;
        setGuestParams(pThief.get());
        pThief->setFloat(CP_EXPELL_COUNT, 20.0f); // he stays a while under fire
        pThief->setBool(CP_WANT_CLICKS, true);
        pThief->setFloat(CP_THIEF_STEAL_AMOUNT, 100.0f);
        pThief->setFloat(CP_THIEF_RETURN_AMOUNT, 0.0f);
        pCast->dress(pThief.get(), DemoCast::KIND_THIEF);
        m_pGuest = pThief.get();
        bringIn(m_pGuest, 2);
    }
}

DemoStage::~DemoStage()
{
    m_pWorld->setThiefGuard(nullptr);
}

RIR::SmartPtr<Customer> DemoStage::addCustomer()
{
    RIR::SmartPtr<Customer> pCust = new Customer();
    setCustomerParams(pCust.get());
    m_pWorld->getCast()->dress(pCust.get(), DemoCast::KIND_CUSTOMER);
    return pCust;
}

void DemoStage::bringIn(const RIR::SmartPtr<Character>& pGuest, int nColumn)
{
    Scene* pScene = Scene::getScene();
    pGuest->setSpeed(140, 100);
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(nColumn, 0, &nX, &nY, 0x24);
    pGuest->placeAt(nX, nY);
    pGuest->start();
    m_pWorld->addCharacter(pGuest);
}

bool DemoStage::showing() const
{
    if (m_sStage == "fight")
        return m_pStarter->isFighting() && m_pStarter->getFightRounds(true) >= 2 &&
               (m_pStarter->getBalloon()->isVisible() || m_pOpponent->getBalloon()->isVisible());
    if (m_sStage == "cow")
        return m_pGuest->getState() == Cow::ST_SITTING;
    if (m_sStage == "sheriff")
        return m_pGuest->getState() == Sheriff::ST_AT_POSTER ||
               m_pGuest->isStateQueued(Sheriff::ST_GO_OUT);
    return m_pGuard->getState() == ThiefGuard::ST_FIRE &&
           static_cast<Thief*>(m_pGuest.get())->isAtRegister();
}

void DemoStage::update(float fDt)
{
    RIR_TRACE("DemoStage::update");
    if (m_pGuard)
        m_pGuard->update(fDt);
    if (m_pStarter && !m_bServed && m_pStarter->getState() == Customer::ST_SEATED &&
        m_pOpponent->getState() == Customer::ST_SEATED)
    {
        m_bServed = true;
        m_pStarter->serveMug(m_pWorld->createMug());
    }
    if (m_fReadyTime < READY_DELAY && showing())
        m_fReadyTime += fDt;
}
