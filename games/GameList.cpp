#include "app/frmPrincipal.h"
#include "games/GameTable.h"

#include <QListWidget>

namespace rivonel {

void frmPrincipal::AdicionaGames()
{
    int position = 0;
    for (const GameEntry &game : gameTable()) {
        lstGames->addItem(game.title.toString());
        RomSetNames.set(position, game.romSet.toString());
        ++position;
    }
}

} // namespace rivonel
