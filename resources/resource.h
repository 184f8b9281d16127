/* Identifiers of the program's resources, shared by the resource script and the code. */
#pragma once

#define IDI_APP 1
#define IDB_ACTIONS 101  /* the menu and toolbar images, 20 x 20, in action order */
#define IDB_TREE 102     /* the configuration tree's image, 24 x 24 */
#define IDB_TABMARKS 103 /* the card tabs' marks, 18 x 18: 0 unchanged, 1 changed */
#define IDB_STATUS 104   /* the connection status pictures, 54 x 54 */
#define IDB_ADAPTERS 105 /* the adapters in the options dialog, 16 x 16: 0 wired, 1 wireless */
#define IDB_BANNER 106   /* the About dialog's banner, 340 x 64 */
/* Each picture again at 150 % (its identifier + 10) and at 200 % (+ 20). */
#define IDB_AT_150 10
#define IDB_AT_200 20
