// 发布: copies made for 公众号 and 新闻源 (pictures sized by the program), 发稿体检 for a chosen
// profile, 预览 at phone and 公众号 widths, 打印 (Ctrl+P) and the PDF of 导出.
import { popupMenu } from '../../core/popup-menu.js';
import { loadText } from '../../core/text-loader.js';
import { reason } from '../../core/host-bridge.js';
import { fileName } from '../files/article-files.js';
import { describe } from '../drafts/outgoing.js';
import { loadProfiles } from './profiles.js';
import { writeArticle } from './output.js';
import { checkArticle } from './check.js';
import { pictureFacts, embedPictures } from './pictures.js';
import { showFindings } from './findings.js';
import { showPreview } from './preview.js';
import { withPrintCopy } from './print.js';

const CHOICES = [['wechat', '公众号'], ['news', '新闻源（门户网站）'], ['text', '纯文本']];

export default {
  name: 'corvelPublish',

  install(page) {
    const { registry, doc, host } = page;
    const board = page.notices;
    // The profiles arrive after the first paint; a command that comes sooner waits for them.
    const state = { profiles: {} };
    state.loaded = Promise.resolve(page.painted)
      .then(() => loadProfiles(loadText, board.notice))
      .then((profiles) => Object.assign(state.profiles, profiles))
      .then(() => (state.read = true));
    const article = () => page.api.cleanHtml();
    const chosen = (key) => {
      const profile = state.profiles[key];
      if (!profile) board.flash('发布规定文件未能读取，不能按“' + CHOICES.find((c) => c[0] === key)[1] + '”发布。', 5000);
      return profile || null;
    };

    // The browser lets a page copy only shortly after a click; when converting many pictures
    // takes longer, the converted copy waits for the next click.
    let converted = null;

    async function copyFor(key) {
      await state.loaded;
      const profile = chosen(key);
      if (!profile) return null;
      const source = article();
      const written = writeArticle(source, profile);
      const ready = converted && converted.key === key && converted.source === source ? converted.embedded : null;
      const embedded = ready || (written.html === null ? { html: null, failed: 0 } : await embedPictures(written.html, host, profile));
      converted = { key, source, embedded };
      if (!page.api.copyToClipboard(embedded.html, written.text)) {
        return board.flash(ready ? '未能复制，请再试一次。' : '图片已转换好，请再点一次复制按钮。', 5000);
      }
      board.flash('已复制' + profile.name + '格式' + (embedded.failed ? '；有' + embedded.failed + '张图片未能转换，保留原图' : '') + '。', 4000);
      if (written.removed.length) {
        showFindings(page.jodit, '复制为' + profile.name + '：已去掉 ' + written.removed.length + ' 处链接和联系方式',
          written.removed.map((r) => ({ rule: '已去掉的' + r.kind + (r.href ? '：' + r.href : ''), text: r.text, at: { text: r.text, occurrence: 0 } })));
      }
      return written;
    }

    async function check(key) {
      await Promise.all([state.loaded, page.rulesRead]);
      const profile = chosen(key);
      if (!profile) return null;
      const html = article();
      const findings = checkArticle(html, profile, page.lawRules(), await pictureFacts(html, host));
      showFindings(page.jodit, '发稿体检（' + profile.name + '）：' + (findings.length ? '发现 ' + findings.length + ' 处' : '未发现问题'), findings);
      return findings;
    }

    const choices = () => CHOICES.filter(([key]) => state.profiles[key]);
    const preview = () => state.loaded.then(() => showPreview(doc, choices(), (key) => writeArticle(article(), state.profiles[key])));

    // Prints the clean article; without the program, the browser's own printing.
    function print() {
      return withPrintCopy(doc, article(), async function () {
        if (!host) return page.win.print();
        const done = await host.printPage();
        if (!done.ok) board.flash('未能打印：' + reason(done), 5000);
      });
    }

    function exportPdf() {
      const name = fileName(describe(article()).title, 'pdf');
      return withPrintCopy(doc, article(), async function () {
        const result = await host.exportPdf(name);
        if (!result.ok) board.flash('未能导出：' + reason(result), 5000);
        else if (!result.cancelled) board.flash('已导出到 ' + result.path, 5000);
        return result;
      });
    }

    page.publish = Object.assign(state, { copyFor, check, preview, print, exportPdf });
    registry.define({ name: 'corvelCopyWechat', text: '复制到公众号', tooltip: '按公众号的要求复制文章：只用行内样式，图片压缩后放在文内，外部链接列为文末参考链接', exec: () => copyFor('wechat') });
    registry.define({ name: 'corvelCopyNews', text: '复制为新闻源', tooltip: '按新闻源（门户网站）的要求复制文章：不带链接和联系方式，去掉的内容会列出', exec: () => copyFor('news') });
    registry.define({
      name: 'corvelPublishCheck',
      text: '发稿体检',
      tooltip: '发稿前按所选平台检查标题、字数、图片、联系方式、广告法用语和广告标识',
      popup: (jodit, current, close) => popupMenu(doc, choices(), check, close, state.read ? '发布规定文件未能读取' : '正在读取发布规定文件，请稍候再试'),
    });
    registry.define({ name: 'corvelPreview', text: '预览', tooltip: '按所选平台的格式预览文章（手机宽度和公众号编辑器宽度）', exec: preview });
    registry.define({ name: 'corvelPrint', text: '打印', tooltip: '打印文章（Ctrl+P）', keys: ['p'], exec: print });
  },

  start(page) {
    page.api.publish = page.publish;
  },
};
