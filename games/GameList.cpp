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

int frmPrincipal::selectedGamePosition() const
{
    const QList<QListWidgetItem *> selected = lstGames->selectedItems();
    return selected.isEmpty() ? -1 : lstGames->row(selected.first());
}

} // namespace rivonel
