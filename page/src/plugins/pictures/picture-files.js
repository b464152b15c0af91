// Picture files that the user gives the editor (图片 → 上传, a file dropped on the article or
// pasted into it) go to the host like every other picture: read here, stored there, and
// inserted by the address the host returns. Jodit's own reader is not used: when it failed it
// inserted a picture with the address "null".
import { bytesToBase64 } from './article-images.js';
import { errorText } from '../../core/host-bridge.js';

// {ok, url} or {ok: false, error} for one file; store(base64, mime) keeps it.
async function storeFile(file, store) {
  if (!/^image\//.test(file.type || '')) return { ok: false, error: '不是图片' };
  let base64;
  try {
    base64 = bytesToBase64(new Uint8Array(await file.arrayBuffer()));
  } catch (e) {
    return { ok: false, error: '文件无法读取（' + errorText(e) + '）' };
  }
  try {
    return await store(base64, file.type);
  } catch (e) {
    return { ok: false, error: errorText(e) };
  }
}

// Jodit's upload request (a FormData holding the files) as the answer its uploader expects.
async function uploadFiles(form, store) {
  const files = [];
  for (const value of form.values()) if (value && typeof value.arrayBuffer === 'function') files.push(value);
  const urls = [];
  const messages = [];
  for (const file of files) {
    const result = await storeFile(file, store);
    if (result.ok && result.url) urls.push(result.url);
    else messages.push('图片“' + file.name + '”无法插入：' + (result.error || '未知原因'));
  }
  return { success: urls.length > 0, data: { baseurl: '', files: urls, isImages: urls.map(() => true), messages: messages } };
}

export { uploadFiles };
