#include "url_schemes.h"

#include "article_setup.h"
#include "page_scheme.h"

void registerProgramSchemes() {
    registerPageScheme();
    registerArticleScheme();
}
