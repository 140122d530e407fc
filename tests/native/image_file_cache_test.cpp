// The image cache's keys, reference counts and release.
#include "toolkit/image/image_file_cache.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(ImageFileCacheTest, KeysFoldCaseAndSlashesButKeepTheShape) {
  EXPECT_EQ(ImageFileCache::Key(u"Icons/Office Icons\\00018.ICO", 16, 16, false),
            ImageFileCache::Key(u"icons\\office icons\\00018.ico", 16, 16, false));
  EXPECT_NE(ImageFileCache::Key(u"a.ico", 16, 16, false), ImageFileCache::Key(u"a.ico", 32, 32, false));
  EXPECT_NE(ImageFileCache::Key(u"a.png", 0, 0, false), ImageFileCache::Key(u"a.png", 0, 0, true));
  // Non-ASCII letters are left alone rather than folded wrongly.
  EXPECT_NE(ImageFileCache::Key(u"\u00C4.ico", 0, 0, false), ImageFileCache::Key(u"\u00E4.ico", 0, 0, false));
}

TEST(ImageFileCacheTest, CountsEveryTakeAndDropsTheEntryAtZero) {
  ImageFileCache cache;
  const std::u16string key = ImageFileCache::Key(u"a.ico", 16, 16, false);
  EXPECT_FALSE(cache.Take(key).has_value());
  cache.Insert(key, 0x1234);
  EXPECT_EQ(cache.ReferenceCount(0x1234), 1);
  ASSERT_TRUE(cache.Take(key).has_value());
  EXPECT_EQ(*cache.Take(key), 0x1234u);
  EXPECT_EQ(cache.ReferenceCount(0x1234), 3);
  EXPECT_FALSE(cache.Release(0x1234));
  EXPECT_FALSE(cache.Release(0x1234));
  EXPECT_TRUE(cache.Release(0x1234));  // the caller frees the image now
  EXPECT_EQ(cache.ReferenceCount(0x1234), 0);
  EXPECT_FALSE(cache.Take(key).has_value());
  EXPECT_FALSE(cache.Release(0x1234));
  EXPECT_FALSE(cache.Release(0x9999));
  cache.Insert(key, 0);  // a failed load is never cached
  EXPECT_EQ(cache.size(), 0u);
}

TEST(ImageFileCacheTest, ReplacingAKeyForgetsTheOldHandle) {
  ImageFileCache cache;
  const std::u16string key = ImageFileCache::Key(u"a.ico", 0, 0, true);
  cache.Insert(key, 1);
  cache.Insert(key, 2);
  EXPECT_EQ(cache.ReferenceCount(1), 0);
  EXPECT_EQ(cache.ReferenceCount(2), 1);
  EXPECT_EQ(cache.size(), 1u);
}

}  // namespace
}  // namespace lumora
