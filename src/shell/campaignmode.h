// CampaignMode: the campaign map screen.
//
// It shows the 20 towns with each side's saloons (an overlay per held town, stronger with more
// stars) and stars, both sides' money and star totals, and the order the player is about to
// give. A click on a town (hit through the towns' mask pictures) selects the order; "play"
// starts the battle for it, a 90-second saloon day on the level that follows the town's stars
// and at the opponent's difficulty, made by the application's level factory. When the day has
// ended its result comes back at the next activation: the computer chooses and pays for its own
// order, the turn is resolved (campaign.h), the outcome is shown in TurnResults, the campaign is
// saved to its slot and, when a side has no stars left, the closing scene is pushed. A finished
// campaign stays readable with "play" hidden and the map deaf to clicks. "exit" leaves.
//
//     pApp->pushMode(new CampaignMode(nSlot, nOpponent)); // nOpponent -1: load the slot
//
// The first time a player set-up opens the map, the campaign is explained
// (createCampaignExplanation) and "FirstTimeCampaign" becomes "FALSE".
#ifndef DBD_SHELL_CAMPAIGNMODE_H
#define DBD_SHELL_CAMPAIGNMODE_H

#include "shell/campaign.h"
#include "shell/campaignstate.h"
#include "shell/dbdmode.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Button;
class Label;
class Sprite;

// The kinds of order selectCity shows.
enum CityOrderKind
{
    COK_NONE = 0,    // no town chosen
    COK_INVALID = 1, // the player cannot act there
    COK_FULL = 2,    // the player already has 5 stars there
    COK_FOUND = 3,   // an empty town
    COK_GROW = 4,    // one of the player's towns
    COK_ATTACK = 5   // one of the computer's towns
};

class CampaignMode : public DBDMode
{
public:
    // Callback ids of the buttons.
    static const int ID_EXIT = 1;
    static const int ID_PLAY = 2;
    // Seconds of a battle.
    static const int BATTLE_SECONDS = 90;

    // A free slot gets a new campaign against nOpponent (clamped into 0..4) at once.
    CampaignMode(int nSlot, int nOpponent);
    ~CampaignMode() override;

    void onStart() override;
    void onActivate() override;
    bool mouseDown(int nButtonMask, int nX, int nY) override;
    void onCallback(int nId, int nParam) override;

    // The town under the point (campaignmap.h), -1 for none.
    int cityAt(int nX, int nY);
    // Sets the order: the town and the kind (CityOrderKind) shown in the orders text and the
    // state of "play".
    void selectCity(int nCity, int nKind);
    // The totals, the money and star labels, and the saloon and star sprites of every town.
    void refreshMap();
    // Takes the town and star sprites out of the mode.
    void removeMapSprites();

    int getSlot() const { return m_nSlot; }
    int getDifficulty() const { return m_nDifficulty; }
    int getSelectedCity() const { return m_nSelectedCity; }
    bool isGameOver() const { return m_bGameOver; }
    const CampaignState& getState() const { return m_campaign.getState(); }
    // The rules and the generator of the computer's choices (seed it for a repeatable turn).
    Campaign& getCampaign() { return m_campaign; }
    RIR::String getOrdersText() const;
    RIR::SmartPtr<Button> getPlayButton() const { return m_pPlayButton; }
    RIR::String getMoneyText(int nSide) const;
    RIR::String getStarsText(int nSide) const;
    // The saloon overlay and the star marker of the town (null where it has no saloon).
    RIR::SmartPtr<Sprite> getCitySprite(int nCity) const { return m_pCitySprite[nCity]; }
    RIR::SmartPtr<Sprite> getStarSprite(int nCity) const { return m_pStarSprite[nCity]; }
    // The sprites of the frame around the map (none in low-resources mode).
    int getFrameSpriteCount() const { return m_nFrameSprites; }

private:
    // Takes the battle's result, resolves the turn, shows it and saves the campaign.
    void finishTurn();
    // The order kind a click on the town gives.
    int orderKind(int nCity) const;
    // Starts the battle for the selected town.
    void startBattle();

    int m_nSlot;
    int m_nDifficulty;
    RIR::SmartPtr<Button> m_pPlayButton;
    RIR::SmartPtr<Label> m_pMoneyLabel[2];
    RIR::SmartPtr<Label> m_pStarsLabel[2];
    RIR::SmartPtr<Sprite> m_pCitySprite[CITY_COUNT];
    RIR::SmartPtr<Sprite> m_pStarSprite[CITY_COUNT];
    RIR::SmartPtr<Label> m_pOrdersLabel;
    int m_nSelectedCity;
    bool m_bGameOver;
    int m_nFrameSprites;
    // The state (m_pCS) and the generator of the computer's choices.
    Campaign m_campaign;
};

#endif
