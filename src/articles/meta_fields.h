#pragma once
// An article's metadata as the flat object that meta.json and each line of the index hold.

#include "article_store.h"
#include "flat_json.h"

namespace corvel::articles {

FlatObject MetaFields(const ArticleMeta& meta);
// Every field but the id, from an object read back; missing ones stay 0 or empty.
void ReadMetaFields(const FlatObject& object, ArticleMeta& meta);

}  // namespace corvel::articles
