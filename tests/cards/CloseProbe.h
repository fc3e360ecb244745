// Which class of a card was being destroyed when the card closed. A probe
// tuner put in place of the card's own notes it when the card deletes it;
// meanwhile the probe runs a channel search and the card polls its remote,
// both calling into the card as they do in the program. A card class that
// closes the card in its own destructor names itself.
#pragma once
#include "cards/TVCardFilter.h"
#include "tests/support/MessageWindow.h"

#include <memory>
#include <string>
#include <typeinfo>

class CloseProbeTuner : public CTVTuner
{
public:
    CloseProbeTuner(CCustomDataAccess* access, std::string* closedBy)
        : CTVTuner(access), m_closedBy(closedBy) {}
    ~CloseProbeTuner() override
    {
        EndSearches();
        CTVCardFilter* card = dynamic_cast<CTVCardFilter*>(m_pCard);
        *m_closedBy = card ? typeid(*card).name() : "";
    }

private:
    std::string* m_closedBy;
};

// Destroys an open card while its remote polls every millisecond and a
// channel search of the probe runs; the name of the class that closed it
// ("" when the probe could not be put in).
inline std::string ClassThatClosed(std::unique_ptr<CTVCardFilter> card)
{
    std::string closedBy;
    MessageWindow window;
    CloseProbeTuner* probe = new CloseProbeTuner(card->GetAccess(), &closedBy);
    if (!card->ReplaceTuner(probe))
        return closedBy;
    card->m_hNotifyWnd = window.Handle();
    probe->SetNotifyWindow(window.Handle());
    card->SetRemoteInterval(1);
    card->StartRemote();
    probe->StartSearch(TRUE, FALSE);
    card.reset();
    return closedBy;
}
