#pragma once

#include <QString>

// Where the player's own files live: the settings file "Kvadr.ini" and the results table's folder
// "Data" (the live pair and the blank pair in "Data/Zaloha").
//
// A program folder that this user can write keeps them, as it always has: the build tree, an
// installation into the player's own prefix, a copied folder. A program folder shared by many
// users (installed by root, so this user cannot write the folder, its Data folder or its
// Kvadr.ini; or any folder under /usr, which is never written at run time, not even by root) keeps
// only what it ships; each player then has
//   $XDG_CONFIG_HOME/parblok2000/Kvadr.ini       (default ~/.config/parblok2000/Kvadr.ini)
//   $XDG_DATA_HOME/parblok2000/Data/             (default ~/.local/share/parblok2000/Data/)
// laid down on first need from the program folder's Kvadr.ini, Data/Parblok.dbf + .mdx and
// Data/Zaloha. Sounds, the manual and the pictures are always read from the program folder.
//
// The decision is made afresh at every call and keeps no state; it needs no display.
namespace PlayerFiles {

// Whether the player's files stay in `programFolder` (a folder path, with or without the trailing
// separator).
bool inProgramFolder(const QString &programFolder);

// The per-user folders of the game: "<config home>/parblok2000" and "<data home>/parblok2000".
// An XDG variable that is unset, empty or not an absolute path counts as unset.
QString configFolder();
QString dataFolder();

// The settings file to read and write. Where the player has a per-user file and it is missing, it
// is made from the program folder's Kvadr.ini first (as far as possible: when that fails, reads
// find no file and writes report this path).
QString settingsFileFor(const QString &programFolder);

// The results table's folder, without the trailing separator. Where the player has a per-user
// folder, it is completed first as far as possible: the blank pair in Zaloha where a file of it is
// missing, and the live pair where its table is missing (from the program folder's live pair, or
// from its blank pair when that is all it has). The live pair appears as a pair or not at all, its
// files the player's own and writable; an index without its table is replaced with the pair. A
// table without its index is the player's and is not touched. Throws AppError naming the table
// and the cause when the live pair cannot be laid down (nothing of it is left then).
QString dataFolderFor(const QString &programFolder);

} // namespace PlayerFiles
