/* The maker's texts shown by the program and its documents, written once. */
#ifndef QUELLIN_PRODUCT_H
#define QUELLIN_PRODUCT_H
#define QUELLIN_COMPANY "KTX"
#define QUELLIN_PRODUCT_NAME "Verrow Quellin!"
#define QUELLIN_WEB_PAGE "www.ktxsoft.example/quellin"
#define QUELLIN_WEB_URL "https://www.ktxsoft.example/quellin" /* for the shell to open */
#define QUELLIN_SUPPORT "support@ktxsoft.example"
#define QUELLIN_TAGLINE "Work steadily, rest regularly."
#endif
